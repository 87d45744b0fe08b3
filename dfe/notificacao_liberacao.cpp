// Free-notification between linked components.
#include "nivranfe/dfe/notificacao_liberacao.h"

#include <algorithm>

namespace nivra {

TNotificadorLiberacao::~TNotificadorLiberacao() {
  // An observer may unregister itself while being told; work on a copy.
  const std::vector<TObservadorLiberacao*> observadores = FObservadores;
  for (TObservadorLiberacao* observador : observadores) observador->NotificarLiberacao(*this);
}

void TNotificadorLiberacao::RegistrarObservador(TObservadorLiberacao& Observador) {
  if (std::find(FObservadores.begin(), FObservadores.end(), &Observador) == FObservadores.end())
    FObservadores.push_back(&Observador);
}

void TNotificadorLiberacao::RemoverObservador(TObservadorLiberacao& Observador) {
  FObservadores.erase(std::remove(FObservadores.begin(), FObservadores.end(), &Observador),
                      FObservadores.end());
}

}  // namespace nivra
