// The desktop keyring through libsecret, loaded at its first use.
#include "nivranfe/security/chaveiro.h"

#include <memory>

#include "nivranfe/security/biblioteca_secret.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

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

// Made only after FuncoesSecret succeeded.
struct TLiberarErro {
  void operator()(GError* erro) const { FuncoesSecret()->ErrorFree(erro); }
};
using TErroPtr = std::unique_ptr<GError, TLiberarErro>;

[[noreturn]] void Falha(const std::string& acao, const GError* erro) {
  throw ENivraDFeException("Falha ao " + acao + " no chaveiro: " +
                           (erro != nullptr ? erro->message : "erro desconhecido"));
}

// A GVariant type from its text, as G_VARIANT_TYPE makes it without a check (the check is a call
// into GLib, which is reached only through FuncoesSecret).
const GVariantType* TipoVariant(const char* tipo) {
  return reinterpret_cast<const GVariantType*>(tipo);
}

// Whether an item for the serial exists but stays locked. The service's own search needs no
// unlocking and tells locked items apart; libsecret's search would build an object per item.
bool ItemTrancado(const TFuncoesSecret& f, const std::string& numeroSerie) {
  GDBusConnection* conexao = f.BusGetSync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (conexao == nullptr) return false;
  GVariantBuilder atributos;
  f.VariantBuilderInit(&atributos, TipoVariant("a{ss}"));
  f.VariantBuilderAdd(&atributos, "{ss}", "xdg:schema", kEsquema.name);
  f.VariantBuilderAdd(&atributos, "{ss}", "serie", numeroSerie.c_str());
  GVariant* resposta = f.DBusConnectionCallSync(
      conexao, "org.freedesktop.secrets", "/org/freedesktop/secrets",
      "org.freedesktop.Secret.Service", "SearchItems", f.VariantNew("(a{ss})", &atributos),
      TipoVariant("(aoao)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
  f.ObjectUnref(conexao);
  if (resposta == nullptr) return false;
  GVariant* trancados = f.VariantGetChildValue(resposta, 1);
  const bool algum = f.VariantNChildren(trancados) > 0;
  f.VariantUnref(trancados);
  f.VariantUnref(resposta);
  return algum;
}

}  // namespace

bool TChaveiroSecretService::Disponivel() {
  std::call_once(FPerguntado, [this] {
    // Opening a session is the first call a user of the service makes; it fails at once when
    // there is no session bus or nothing on it provides the service.
    const TFuncoesSecret* f = FuncoesSecret();
    if (f == nullptr) return;
    GError* erro = nullptr;
    SecretService* servico = f->ServiceGetSync(SECRET_SERVICE_OPEN_SESSION, nullptr, &erro);
    const TErroPtr dono(erro);
    FDisponivel = servico != nullptr;
    if (servico != nullptr) f->ObjectUnref(servico);
  });
  return FDisponivel;
}

const TFuncoesSecret& TChaveiroSecretService::ExigirServico() {
  if (!Disponivel()) {
    const std::string& motivo = ErroBibliotecaSecret();
    throw ENivraDFeException("Nenhum chaveiro (Secret Service) responde nesta sessão" +
                             (motivo.empty() ? "" : " (" + motivo + ")"));
  }
  return *FuncoesSecret();
}

TSenhaSecreta TChaveiroSecretService::Buscar(const std::string& numeroSerie) {
  const TFuncoesSecret& f = ExigirServico();
  GError* erro = nullptr;
  // Non-pageable memory, wiped by secret_password_free.
  gchar* texto = f.PasswordLookupNonpageableSync(&kEsquema, nullptr, &erro, "serie",
                                                 numeroSerie.c_str(), nullptr);
  const TErroPtr dono(erro);
  if (erro != nullptr) Falha("ler a senha do certificado " + numeroSerie, erro);
  if (texto == nullptr) {
    if (ItemTrancado(f, numeroSerie))
      throw ENivraDFeException("O chaveiro que guarda a senha do certificado " + numeroSerie +
                               " está trancado e não foi destrancado");
    return {};
  }
  TSenhaSecreta senha(texto);
  f.PasswordFree(texto);
  return senha;
}

void TChaveiroSecretService::Guardar(const std::string& numeroSerie, const std::string& cnpj,
                                     const std::string& rotulo, const TSenhaSecreta& senha) {
  const TFuncoesSecret& f = ExigirServico();
  GError* erro = nullptr;
  const gboolean guardou = f.PasswordStoreSync(&kEsquema, SECRET_COLLECTION_DEFAULT, rotulo.c_str(),
                                               senha.Texto(), nullptr, &erro, "serie",
                                               numeroSerie.c_str(), "cnpj", cnpj.c_str(), nullptr);
  const TErroPtr dono(erro);
  if (guardou == FALSE) Falha("guardar a senha do certificado " + numeroSerie, erro);
}

bool TChaveiroSecretService::Remover(const std::string& numeroSerie) {
  const TFuncoesSecret& f = ExigirServico();
  GError* erro = nullptr;
  const gboolean removeu =
      f.PasswordClearSync(&kEsquema, nullptr, &erro, "serie", numeroSerie.c_str(), nullptr);
  const TErroPtr dono(erro);
  if (erro != nullptr) Falha("remover a senha do certificado " + numeroSerie, erro);
  return removeu != FALSE;
}

TChaveiro& ChaveiroDaSessao() {
  static TChaveiroSecretService chaveiro;
  return chaveiro;
}

}  // namespace nivra
