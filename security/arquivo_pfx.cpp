// PKCS#12 (PFX) data: reading a certificate with its private key, and writing one.
#include "nivranfe/security/arquivo_pfx.h"

#include <openssl/err.h>
#include <openssl/provider.h>

#include "nivranfe/security/erro_openssl.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

constexpr const char* Prefixo = "PFXDataToCertContextWinApi: ";

struct TLiberarPilhaX509 {
  void operator()(STACK_OF(X509) * pilha) const { sk_X509_pop_free(pilha, X509_free); }
};
using TPilhaX509Ptr = std::unique_ptr<STACK_OF(X509), TLiberarPilhaX509>;

// The password that opens the data's integrity check: `senha`, or for an empty one whichever
// of "no password" and "empty password" the data was made with. False when none does. Data
// without the check (openssl pkcs12 -nomac) gets one made with `senha`, since OpenSSL parses
// data opened by a password only after checking it; the password is then proven by the
// decryption of the bags.
bool SenhaConfere(PKCS12* p12, const char* senha, const char*& efetiva) {
  efetiva = senha;
  if (PKCS12_mac_present(p12) == 0)
    return *senha == '\0' || PKCS12_set_mac(p12, senha, -1, nullptr, 0, 1, nullptr) == 1;
  if (*senha != '\0') return PKCS12_verify_mac(p12, senha, -1) == 1;
  if (PKCS12_verify_mac(p12, nullptr, 0) == 1) {
    efetiva = nullptr;
    return true;
  }
  return PKCS12_verify_mac(p12, "", 0) == 1;
}

}  // namespace

void CarregarProvedoresOpenSSL() {
  // Loading any provider explicitly stops the default one from loading by itself.
  static OSSL_PROVIDER* const padrao = OSSL_PROVIDER_load(nullptr, "default");
  static OSSL_PROVIDER* const legado = OSSL_PROVIDER_load(nullptr, "legacy");
  if (padrao == nullptr || legado == nullptr)
    throw ENivraDFeException("Falha ao carregar os provedores do OpenSSL. Erro: " +
                             UltimoErroOpenSSL());
}

TConteudoPFX LerPFX(std::string_view dados, const std::string& senha) {
  return LerPFX(dados, senha.c_str());
}

TConteudoPFX LerPFX(std::string_view dados, const char* senha) {
  CarregarProvedoresOpenSSL();
  ERR_clear_error();
  const auto* cursor = reinterpret_cast<const unsigned char*>(dados.data());
  TPKCS12Ptr p12(d2i_PKCS12(nullptr, &cursor, static_cast<long>(dados.size())));
  if (!p12 || cursor != reinterpret_cast<const unsigned char*>(dados.data()) + dados.size()) {
    ERR_clear_error();
    throw ENivraDFeException(std::string(Prefixo) + "DadosPFX informado não são válidos");
  }
  const char* efetiva = nullptr;
  const bool semMAC = PKCS12_mac_present(p12.get()) == 0;
  if (!SenhaConfere(p12.get(), senha, efetiva)) {
    ERR_clear_error();
    throw ENivraDFeSenhaInvalida(std::string(Prefixo) + "Senha informada está errada");
  }
  EVP_PKEY* chave = nullptr;
  X509* certificado = nullptr;
  STACK_OF(X509)* cadeia = nullptr;
  if (PKCS12_parse(p12.get(), efetiva, &chave, &certificado, &cadeia) != 1) {
    if (semMAC && *senha != '\0') {
      ERR_clear_error();
      throw ENivraDFeSenhaInvalida(std::string(Prefixo) + "Senha informada está errada");
    }
    throw ENivraDFeException(std::string(Prefixo) +
                             "Falha em \"PFXImportCertStore\" Erro: " + UltimoErroOpenSSL());
  }
  TConteudoPFX conteudo{TX509Ptr(certificado), TEVPKeyPtr(chave), {}};
  TPilhaX509Ptr pilha(cadeia);
  while (pilha && sk_X509_num(pilha.get()) > 0)
    conteudo.Cadeia.emplace_back(sk_X509_shift(pilha.get()));
  if (!conteudo.Certificado || !conteudo.Chave)
    throw ENivraDFeException(std::string(Prefixo) +
                             "Falha ao localizar o Certificado com a Chave Privada.");
  return conteudo;
}

namespace {

// How a PKCS#12 export protects its bags and its integrity check: OpenSSL's NID of the key and
// certificate encryption and the rounds of the key derivation and of the check; 0 takes OpenSSL's
// current default (AES-256 with PBKDF2, SHA-256 integrity) and -1 leaves a bag in clear or the
// check out.
struct TProtecaoPFX {
  int NidChave;
  int NidCertificados;
  int Iteracoes;
  int IteracoesMAC;
};

std::string Exportar(X509* certificado, EVP_PKEY* chave, const TListaX509& cadeia,
                     const char* senha, const TProtecaoPFX& protecao) {
  CarregarProvedoresOpenSSL();
  const auto falha = [] {
    return ENivraDFeException("ExportCertStoreToPFXData: Falha em \"PFXExportCertStoreEx\" Erro: " +
                              UltimoErroOpenSSL());
  };
  TPilhaX509Ptr pilha(sk_X509_new_null());
  if (!pilha) throw falha();
  for (const TX509Ptr& outro : cadeia) {
    if (X509_up_ref(outro.get()) != 1) throw falha();
    if (sk_X509_push(pilha.get(), outro.get()) <= 0) {
      X509_free(outro.get());
      throw falha();
    }
  }
  TPKCS12Ptr p12(PKCS12_create_ex(senha, nullptr, chave, certificado, pilha.get(),
                                  protecao.NidChave, protecao.NidCertificados, protecao.Iteracoes,
                                  protecao.IteracoesMAC, 0, nullptr, nullptr));
  if (!p12) throw falha();
  unsigned char* bytes = nullptr;
  const int tamanho = i2d_PKCS12(p12.get(), &bytes);
  if (tamanho < 0) throw falha();
  std::string dados(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(tamanho));
  OPENSSL_clear_free(bytes, static_cast<std::size_t>(tamanho));
  return dados;
}

struct TLiberarPilhaBolsas {
  void operator()(STACK_OF(PKCS12_SAFEBAG) * bolsas) const {
    sk_PKCS12_SAFEBAG_pop_free(bolsas, PKCS12_SAFEBAG_free);
  }
};
struct TLiberarPilhaPKCS7 {
  void operator()(STACK_OF(PKCS7) * seguros) const { sk_PKCS7_pop_free(seguros, PKCS7_free); }
};

// Moves the certificates of the clear bags to `conteudo`: the one marked with a local key id (the
// key's own) as its certificate, the others to its chain.
void ColherCertificados(const STACK_OF(PKCS12_SAFEBAG) * bolsas, TConteudoPFX& conteudo) {
  for (int i = 0; i < sk_PKCS12_SAFEBAG_num(bolsas); ++i) {
    const PKCS12_SAFEBAG* bolsa = sk_PKCS12_SAFEBAG_value(bolsas, i);
    if (PKCS12_SAFEBAG_get_nid(bolsa) != NID_certBag ||
        PKCS12_SAFEBAG_get_bag_nid(bolsa) != NID_x509Certificate)
      continue;
    TX509Ptr certificado(PKCS12_SAFEBAG_get1_cert(bolsa));
    if (!certificado) continue;
    if (!conteudo.Certificado && PKCS12_SAFEBAG_get0_attr(bolsa, NID_localKeyID) != nullptr)
      conteudo.Certificado = std::move(certificado);
    else
      conteudo.Cadeia.push_back(std::move(certificado));
  }
}

}  // namespace

std::string GerarPFX(X509* certificado, EVP_PKEY* chave, const TListaX509& cadeia,
                     const std::string& senha) {
  return Exportar(certificado, chave, cadeia, senha.c_str(), {0, 0, 0, 0});
}

std::string GerarPFXProtegido(X509* certificado, EVP_PKEY* chave, const TListaX509& cadeia,
                              const char* senha) {
  return Exportar(certificado, chave, cadeia, senha,
                  {NID_aes_256_cbc, -1, IteracoesPFXProtegido, IteracoesPFXProtegido});
}

TConteudoPFX CertificadosEmClaroPFX(std::string_view dados) {
  TConteudoPFX conteudo;
  const auto* cursor = reinterpret_cast<const unsigned char*>(dados.data());
  const TPKCS12Ptr p12(d2i_PKCS12(nullptr, &cursor, static_cast<long>(dados.size())));
  const std::unique_ptr<STACK_OF(PKCS7), TLiberarPilhaPKCS7> seguros(
      p12 ? PKCS12_unpack_authsafes(p12.get()) : nullptr);
  for (int i = 0; seguros && i < sk_PKCS7_num(seguros.get()); ++i) {
    const PKCS7* seguro = sk_PKCS7_value(seguros.get(), i);
    if (OBJ_obj2nid(seguro->type) != NID_pkcs7_data) continue;  // an encrypted safe
    const std::unique_ptr<STACK_OF(PKCS12_SAFEBAG), TLiberarPilhaBolsas> bolsas(
        PKCS12_unpack_p7data(const_cast<PKCS7*>(seguro)));
    if (bolsas) ColherCertificados(bolsas.get(), conteudo);
  }
  ERR_clear_error();
  return conteudo;
}

std::string GerarPFXAberto(X509* certificado, EVP_PKEY* chave, const TListaX509& cadeia) {
  return Exportar(certificado, chave, cadeia, nullptr, {-1, -1, 0, -1});
}

}  // namespace nivra
