// Keeps a process's memory, where passwords and PINs pass, out of core dumps and debuggers.
#pragma once

namespace nivra {

// Turns core dumps off (no core file, no crash report with the memory) and makes the process
// not dumpable, which also keeps other processes of the same user from attaching to it.
// Returns false when the system refused either; the caller goes on, less protected.
[[nodiscard]] bool ProtegerMemoriaDoProcesso();

}  // namespace nivra
