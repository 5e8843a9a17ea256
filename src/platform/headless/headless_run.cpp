#include "platform/headless/headless_run.h"

#include "platform/headless/headless_host.h"
#include "platform/headless/script_runner.h"
#include "platform/headless/session.h"

namespace qv::headless {

int RunHeadless(const std::filesystem::path& scriptPath, const Paths& paths, uint32_t seed,
                std::ostream& out, std::ostream& err) {
  const Script script = LoadScript(scriptPath);
  if (!script.Ok()) {
    err << "qv: " << script.error << "\n";
    return kExitBadInput;
  }
  HeadlessHost host(out);
  std::unique_ptr<Session> session = StartSession(host, paths, seed);
  const int code = RunScript(script, *session, host, out, err);
  if (code != kExitOk) err << "qv: " << scriptPath.string() << " failed\n";
  EndSession(*session);
  return code;
}

}  // namespace qv::headless
