// Placeholder so the library has a translation unit until its first real source lands.
namespace qv { [[maybe_unused]] static int creation_placeholder; }
