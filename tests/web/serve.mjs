// A static server for the page's folder on 127.0.0.1, gzip-compressed where the browser asks
// (as a web host serves it), counting the bytes it sends.
import {createServer} from 'node:http';
import {readFile, stat} from 'node:fs/promises';
import {extname, join, normalize} from 'node:path';
import {gzipSync} from 'node:zlib';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.txt': 'text/plain',
  '.mp3': 'audio/mpeg', '.wav': 'audio/wav', '.css': 'text/css',
};

// Serves `roots` (URL prefix -> folder); resolves to {url, close(), sent()}.
export async function serve(roots) {
  const cache = new Map();
  let sent = 0;
  const server = createServer(async (req, res) => {
    try {
      const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
      const prefix = Object.keys(roots).filter((p) => path.startsWith(p)).sort((a, b) => b.length - a.length)[0];
      if (prefix === undefined) throw new Error('no root');
      let rel = normalize(path.slice(prefix.length)).replace(/^(\.\.(\/|$))+/, '');
      if (rel === '' || rel === '.' || rel.endsWith('/')) rel = join(rel, 'index.html');
      const file = join(roots[prefix], rel);
      const info = await stat(file);
      const key = file + ':' + info.mtimeMs;
      let body = cache.get(key);
      if (!body) {
        const raw = await readFile(file);
        body = {raw, gz: gzipSync(raw, {level: 6})};
        cache.set(key, body);
      }
      const gzip = /\bgzip\b/.test(req.headers['accept-encoding'] || '');
      const out = gzip ? body.gz : body.raw;
      res.writeHead(200, {
        'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
        'Content-Length': out.length, 'Cache-Control': 'no-cache',
        ...(gzip ? {'Content-Encoding': 'gzip'} : {}),
      });
      res.end(out);
      sent += out.length;
    } catch {
      res.writeHead(404, {'Content-Type': 'text/plain'});
      res.end('not found');
    }
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    sent: () => sent,
    resetSent: () => { sent = 0; },
    close: () => new Promise((ok) => { server.closeAllConnections?.(); server.close(ok); }),
  };
}
