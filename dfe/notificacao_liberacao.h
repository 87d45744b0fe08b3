// Free-notification between linked components: an object that others link to tells them when
// it is destroyed, so no link outlives the object it names.
#pragma once

#include <vector>

namespace nivra {

class TNotificadorLiberacao;

// Something that keeps a non-owning link to a TNotificadorLiberacao and must drop it when that
// object goes away.
class TObservadorLiberacao {
 public:
  virtual ~TObservadorLiberacao() = default;

  // Called from the destructor of `Objeto` (its derived parts are already gone, so only its
  // address may be used); the observer clears every link to it.
  virtual void NotificarLiberacao(const TNotificadorLiberacao& Objeto) = 0;
};

// Base of the objects a component links to without owning them (e-mail, printing).
class TNotificadorLiberacao {
 public:
  TNotificadorLiberacao() = default;
  TNotificadorLiberacao(const TNotificadorLiberacao&) = delete;
  TNotificadorLiberacao& operator=(const TNotificadorLiberacao&) = delete;
  // Notifies every registered observer.
  virtual ~TNotificadorLiberacao();

  // Registers `Observador` once; registering it again does nothing.
  void RegistrarObservador(TObservadorLiberacao& Observador);
  // Removes `Observador`; does nothing when it is not registered.
  void RemoverObservador(TObservadorLiberacao& Observador);

 private:
  std::vector<TObservadorLiberacao*> FObservadores;
};

}  // namespace nivra
