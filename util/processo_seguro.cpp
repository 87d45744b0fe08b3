// Core dumps off through the resource limit and the dumpable flag.
#include "nivranfe/util/processo_seguro.h"

#include <sys/prctl.h>
#include <sys/resource.h>

namespace nivra {

bool ProtegerMemoriaDoProcesso() {
  const rlimit nenhum{0, 0};
  const bool semCore = ::setrlimit(RLIMIT_CORE, &nenhum) == 0;
  // Not dumpable: a crash handler such as systemd-coredump stores nothing of the memory.
  const bool naoDespejavel = ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0;
  return semCore && naoDespejavel;
}

}  // namespace nivra
