// Acting as an unprivileged user for a check that the superuser would pass anyway (a folder it
// may not read, a file it may not write): tests run as root in CI.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

namespace nivra {

// Switches the effective user to "nobody" (uid 65534) while it lives when the process runs as
// the superuser; does nothing otherwise. The superuser's identity is restored at the end.
class TSemPrivilegio {
 public:
  TSemPrivilegio() : FTrocado(::geteuid() == 0 && ::seteuid(65534) == 0) {}
  TSemPrivilegio(const TSemPrivilegio&) = delete;
  TSemPrivilegio& operator=(const TSemPrivilegio&) = delete;
  ~TSemPrivilegio() {
    if (FTrocado) {
      EXPECT_EQ(::seteuid(0), 0);
    }
  }

 private:
  bool FTrocado;
};

}  // namespace nivra
