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

// Whether an item for the serial exists but stays locked. The service's own search needs no
// unlocking and tells locked items apart; libsecret's search would build an object per item.
bool ItemTrancado(const std::string& numeroSerie) {
  GDBusConnection* conexao = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (conexao == nullptr) return false;
  GVariantBuilder atributos;
  g_variant_builder_init(&atributos, G_VARIANT_TYPE("a{ss}"));
  g_variant_builder_add(&atributos, "{ss}", "xdg:schema", kEsquema.name);
  g_variant_builder_add(&atributos, "{ss}", "serie", numeroSerie.c_str());
  GVariant* resposta = g_dbus_connection_call_sync(
      conexao, "org.freedesktop.secrets", "/org/freedesktop/secrets",
      "org.freedesktop.Secret.Service", "SearchItems", g_variant_new("(a{ss})", &atributos),
      G_VARIANT_TYPE("(aoao)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
  g_object_unref(conexao);
  if (resposta == nullptr) return false;
  GVariant* trancados = g_variant_get_child_value(resposta, 1);
  const bool algum = g_variant_n_children(trancados) > 0;
  g_variant_unref(trancados);
  g_variant_unref(resposta);
  return algum;
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
