#include "nivranfe/util/processo_seguro.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nivra {

namespace {

// In a child process, so the test runner keeps its own limits.
TEST(ProcessoSeguro, LeavesNoCoreDumpAndNoDumpableMemory) {
  const pid_t filho = ::fork();
  ASSERT_GE(filho, 0);
  if (filho == 0) {
    rlimit core{};
    const bool ok = ProtegerMemoriaDoProcesso() && ::getrlimit(RLIMIT_CORE, &core) == 0 &&
                    core.rlim_cur == 0 && core.rlim_max == 0 &&
                    ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0;
    ::_exit(ok ? 0 : 1);
  }
  int estado = 0;
  ASSERT_EQ(::waitpid(filho, &estado, 0), filho);
  EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
}

}  // namespace

}  // namespace nivra
