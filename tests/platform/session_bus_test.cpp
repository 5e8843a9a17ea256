// The session bus SDL's video start asks for: looked for where desktops keep it, and libdbus
// kept from starting a bus of its own only when there is none to find.
#include "platform/sdl/session_bus.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "support/fake_host.h"

namespace qv::sdl {
namespace {

namespace fs = std::filesystem;

// A listening socket at `path`, closed with the object.
class SocketFile {
 public:
  explicit SocketFile(const fs::path& path) {
    fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ok_ = fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~SocketFile() {
    if (fd_ >= 0) close(fd_);
  }
  bool ok() const { return ok_; }

 private:
  int fd_ = -1;
  bool ok_ = false;
};

// One environment variable set (or removed) for the test's length.
class EnvValue {
 public:
  EnvValue(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvValue() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

struct Folders {
  fs::path root = testing::MakeTempDir();
  fs::path runtime = root / "run";
  fs::path home = root / "home";
  Folders() {
    fs::create_directories(runtime);
    fs::create_directories(home);
  }
  ~Folders() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  BusPlaces Places(const char* address = nullptr) const {
    return {address, runtime.c_str(), home.c_str()};
  }
};

TEST(SessionBus, FoundInTheEnvironmentOrTheRuntimeFolder) {
  Folders f;
  EXPECT_FALSE(SessionBusMayExist(f.Places()));
  EXPECT_FALSE(SessionBusMayExist(f.Places("")));  // empty is no address
  EXPECT_FALSE(SessionBusMayExist({}));
  EXPECT_TRUE(SessionBusMayExist(f.Places("unix:path=/run/user/1000/bus")));
  EXPECT_TRUE(SessionBusMayExist(f.Places("autolaunch:")));  // asked for: libdbus does it

  std::ofstream(f.runtime / "bus") << "not a socket";
  EXPECT_FALSE(SessionBusMayExist(f.Places()));
  fs::remove(f.runtime / "bus");
  const SocketFile bus(f.runtime / "bus");
  ASSERT_TRUE(bus.ok());
  EXPECT_TRUE(SessionBusMayExist(f.Places()));
}

TEST(SessionBus, AnEarlierAutolaunchedBusIsLeftForLibdbusToFind) {
  Folders f;
  const fs::path notes = f.home / ".dbus" / "session-bus";
  fs::create_directories(notes);
  EXPECT_FALSE(SessionBusMayExist(f.Places()));  // the folder alone notes no bus
  std::ofstream(notes / "0123456789abcdef0123456789abcdef-0") << "DBUS_SESSION_BUS_ADDRESS=x\n";
  EXPECT_TRUE(SessionBusMayExist(f.Places()));
}

TEST(SessionBus, TheAddressIsSetOnlyWhereNoBusCanBeFound) {
  Folders f;
  const EnvValue runtime("XDG_RUNTIME_DIR", f.runtime.c_str());
  const EnvValue home("HOME", f.home.c_str());
  {
    const EnvValue address("DBUS_SESSION_BUS_ADDRESS", "unix:path=/somewhere/bus");
    EXPECT_FALSE(KeepBusFromAutolaunching());
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/somewhere/bus");
  }
  const EnvValue address("DBUS_SESSION_BUS_ADDRESS", nullptr);
  EXPECT_TRUE(KeepBusFromAutolaunching());
  EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), kNoSessionBus);
}

}  // namespace
}  // namespace qv::sdl
