// What every command-line program does the same way: its exit status for a failure, its
// start (memory kept out of core dumps) and how a failure reaches the user.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace nivra {

// Exit status of a failure: a bad command line, an unreadable certificate, a request that got
// no answer.
inline constexpr int kSaidaFalha = 3;

// Runs `programa` with the arguments of main (without the program name) and returns its exit
// status. Before it, keeps the process's memory, where passwords and PINs pass, out of core
// dumps (a refusal is reported and the program goes on). An EOpcaoInvalida that escapes is
// written to standard error as "<nome>: <message>", any other exception as its message; both
// give kSaidaFalha.
[[nodiscard]] int ExecutarPrograma(
    const std::string& nome, int argc, char** argv,
    const std::function<int(const std::vector<std::string>&)>& programa);

}  // namespace nivra
