// An e-mail component that keeps each message it is asked to send instead of sending it.
#pragma once

#include <vector>

#include "nivranfe/dfe/nivra_mail.h"

namespace nivra {

// Records a copy of the message at each Enviar.
class TMailGravador : public TNivraMail {
 public:
  struct TMensagem {
    std::vector<std::string> Destinatarios;
    std::vector<std::string> Copias;
    std::vector<std::string> ResponderPara;
    std::string Assunto;
    std::string Corpo;
    std::string CorpoAlternativo;
    std::vector<TNivraMailAnexo> Anexos;
  };

  void Enviar() override {
    Enviadas.push_back({Destinatarios(), Copias(), ResponderPara(), Assunto(), Corpo(),
                        CorpoAlternativo(), Anexos()});
  }

  std::vector<TMensagem> Enviadas;
};

}  // namespace nivra
