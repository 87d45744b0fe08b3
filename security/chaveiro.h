// The desktop keyring that keeps the passwords of the certificate store's protected entries, one
// per certificate, found by its serial number.
#pragma once

#include <mutex>
#include <string>

#include "nivranfe/security/senha_secreta.h"

namespace nivra {

struct TFuncoesSecret;

// What the store asks of a keyring. Each operation may show the desktop's prompt to unlock a
// locked keyring, and waits for it.
class TChaveiro {
 public:
  TChaveiro() = default;
  TChaveiro(const TChaveiro&) = delete;
  TChaveiro& operator=(const TChaveiro&) = delete;
  virtual ~TChaveiro() = default;

  // Whether a keyring answers in this session. Never throws.
  [[nodiscard]] virtual bool Disponivel() = 0;

  // The password kept for the certificate of serial `numeroSerie`; empty when the keyring holds
  // none. Throws ENivraDFeException when no keyring answers, when the item is locked and the
  // prompt was dismissed, or when the keyring fails.
  [[nodiscard]] virtual TSenhaSecreta Buscar(const std::string& numeroSerie) = 0;

  // Keeps `senha` for the certificate of serial `numeroSerie` and CNPJ `cnpj` (may be empty),
  // shown to the user as `rotulo`, replacing what was kept for it. Throws ENivraDFeException
  // when no keyring answers, it stays locked, or it refuses.
  virtual void Guardar(const std::string& numeroSerie, const std::string& cnpj,
                       const std::string& rotulo, const TSenhaSecreta& senha) = 0;

  // Removes what is kept for `numeroSerie`; returns whether there was anything. Throws
  // ENivraDFeException when no keyring answers or it refuses.
  virtual bool Remover(const std::string& numeroSerie) = 0;
};

// The Secret Service of the session bus (GNOME Keyring, KWallet) through libsecret, in the
// user's default collection. Whether it answers is asked once, at the first use, which is also
// when libsecret is loaded; without it, no keyring answers.
class TChaveiroSecretService : public TChaveiro {
 public:
  [[nodiscard]] bool Disponivel() override;
  [[nodiscard]] TSenhaSecreta Buscar(const std::string& numeroSerie) override;
  void Guardar(const std::string& numeroSerie, const std::string& cnpj, const std::string& rotulo,
               const TSenhaSecreta& senha) override;
  bool Remover(const std::string& numeroSerie) override;

 private:
  // The library's calls; throws ENivraDFeException when no keyring answers.
  const TFuncoesSecret& ExigirServico();

  std::once_flag FPerguntado;
  bool FDisponivel = false;
};

// The keyring of this process's session, shared by the whole process.
[[nodiscard]] TChaveiro& ChaveiroDaSessao();

}  // namespace nivra
