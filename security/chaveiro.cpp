// The desktop keyring through libsecret.
#include "security/chaveiro.h"

#include <libsecret/secret.h>

#include <memory>

#include "util/excecoes.h"

namespace {

// Items carry the serial (the lookup key) and the CNPJ, for the user browsing the keyring.
const SecretSchema kEsquema = {"nivranfe.Certificado",
                               SECRET_SCHEMA_NONE,
                               {{"serie", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                {"cnpj", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                               0,
                               nullptr,
                               nullptr,
                               nullptr,
                               nullptr,
                               nullptr,
                               nullptr,
                               nullptr};

struct TLiberarErro {
  void operator()(GError* erro) const { g_error_free(erro); }
};
using TErroPtr = std::unique_ptr<GError, TLiberarErro>;

[[noreturn]] void Falha(const std::string& acao, const GError* erro) {
  throw ENivraDFeException("Falha ao " + acao + " no chaveiro: " +
                           (erro != nullptr ? erro->message : "erro desconhecido"));
}

// Whether an item for the serial exists but stays locked (searching needs no unlocking).
bool ItemTrancado(const std::string& numeroSerie) {
  GError* erro = nullptr;
  GList* itens = secret_password_search_sync(&kEsquema, SECRET_SEARCH_ALL, nullptr, &erro, "serie",
                                             numeroSerie.c_str(), nullptr);
  const TErroPtr dono(erro);
  bool trancado = false;
  for (GList* item = itens; item != nullptr; item = item->next)
    trancado = trancado || secret_item_get_locked(SECRET_ITEM(item->data)) != FALSE;
  g_list_free_full(itens, g_object_unref);
  return trancado;
}

}  // namespace

bool TChaveiroSecretService::Disponivel() {
  std::call_once(FPerguntado, [this] {
    // Opening a session is the first call a user of the service makes; it fails at once when
    // there is no session bus or nothing on it provides the service.
    GError* erro = nullptr;
    SecretService* servico = secret_service_get_sync(SECRET_SERVICE_OPEN_SESSION, nullptr, &erro);
    const TErroPtr dono(erro);
    FDisponivel = servico != nullptr;
    if (servico != nullptr) g_object_unref(servico);
  });
  return FDisponivel;
}

void TChaveiroSecretService::ExigirServico() {
  if (!Disponivel())
    throw ENivraDFeException("Nenhum chaveiro (Secret Service) responde nesta sessão");
}

TSenhaSecreta TChaveiroSecretService::Buscar(const std::string& numeroSerie) {
  ExigirServico();
  GError* erro = nullptr;
  // Non-pageable memory, wiped by secret_password_free.
  gchar* texto = secret_password_lookup_nonpageable_sync(&kEsquema, nullptr, &erro, "serie",
                                                         numeroSerie.c_str(), nullptr);
  const TErroPtr dono(erro);
  if (erro != nullptr) Falha("ler a senha do certificado " + numeroSerie, erro);
  if (texto == nullptr) {
    if (ItemTrancado(numeroSerie))
      throw ENivraDFeException("O chaveiro que guarda a senha do certificado " + numeroSerie +
                               " está trancado e não foi destrancado");
    return {};
  }
  TSenhaSecreta senha(texto);
  secret_password_free(texto);
  return senha;
}

void TChaveiroSecretService::Guardar(const std::string& numeroSerie, const std::string& cnpj,
                                     const std::string& rotulo, const TSenhaSecreta& senha) {
  ExigirServico();
  GError* erro = nullptr;
  const gboolean guardou = secret_password_store_sync(
      &kEsquema, SECRET_COLLECTION_DEFAULT, rotulo.c_str(), senha.Texto(), nullptr, &erro, "serie",
      numeroSerie.c_str(), "cnpj", cnpj.c_str(), nullptr);
  const TErroPtr dono(erro);
  if (guardou == FALSE) Falha("guardar a senha do certificado " + numeroSerie, erro);
}

bool TChaveiroSecretService::Remover(const std::string& numeroSerie) {
  ExigirServico();
  GError* erro = nullptr;
  const gboolean removeu =
      secret_password_clear_sync(&kEsquema, nullptr, &erro, "serie", numeroSerie.c_str(), nullptr);
  const TErroPtr dono(erro);
  if (erro != nullptr) Falha("remover a senha do certificado " + numeroSerie, erro);
  return removeu != FALSE;
}

TChaveiro& ChaveiroDaSessao() {
  static TChaveiroSecretService chaveiro;
  return chaveiro;
}
