// Reads the message of the component error that an action raises.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "nivranfe/util/excecoes.h"

namespace nivra {

// Runs `acao` and returns the message of the ENivraDFeException it throws; records a test
// failure and returns "" when it throws none.
inline std::string MensagemDe(const std::function<void()>& acao) {
  try {
    acao();
  } catch (const ENivraDFeException& e) {
    return e.what();
  }
  ADD_FAILURE() << "nenhuma ENivraDFeException foi lançada";
  return "";
}

}  // namespace nivra
