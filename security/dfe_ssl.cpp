// TDFeSSL: settings, library choices, the scrambled password and the operations that forward
// to the crypto, HTTP and XML-signature roles.
#include "nivranfe/security/dfe_ssl.h"

#include <openssl/evp.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "nivranfe/security/dfe_http_win_http.h"
#include "nivranfe/security/dfe_ssl_xmlsign_msxml.h"
#include "nivranfe/security/dfe_win_crypt.h"
#include "nivranfe/util/documentos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/texto_arquivo.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

// The role objects of each library choice. A choice whose library is left out of the build is
// refused with its message. A choice without an implementation of its own is answered by the
// role's base class. This build's roles are OpenSSL, libcurl and xmlsec1: the OpenSSL names
// select them as the Windows names do.
std::unique_ptr<TDFeSSLCryptClass> CriarCrypt(TDFeSSL& ssl, TSSLCryptLib lib) {
  switch (lib) {
    case TSSLCryptLib::cryCapicom:
      throw ENivraDFeException(
          "Suporte a libCapicom foi desativado por compilação {$DEFINE DFE_SEM_CAPICOM}");
    case TSSLCryptLib::cryOpenSSL:
    case TSSLCryptLib::cryWinCrypt:
      return std::make_unique<TDFeWinCrypt>(ssl);
    case TSSLCryptLib::cryNone:
      break;
  }
  return std::make_unique<TDFeSSLCryptClass>(ssl);
}

std::unique_ptr<TDFeSSLHttpClass> CriarHttp(TDFeSSL& ssl, TSSLHttpLib lib) {
  switch (lib) {
    case TSSLHttpLib::httpOpenSSL:
      return std::make_unique<TDFeHttpWinHttp>(ssl, TSSLHttpLib::httpWinHttp);
    case TSSLHttpLib::httpWinINet:
    case TSSLHttpLib::httpWinHttp:
      return std::make_unique<TDFeHttpWinHttp>(ssl, lib);
    case TSSLHttpLib::httpNone:
    case TSSLHttpLib::httpIndy:
      break;
  }
  return std::make_unique<TDFeSSLHttpClass>(ssl);
}

std::unique_ptr<TDFeSSLXmlSignClass> CriarXmlSign(TDFeSSL& ssl, TSSLXmlSignLib lib) {
  switch (lib) {
    case TSSLXmlSignLib::xsMsXmlCapicom:
      throw ENivraDFeException(
          "Suporte a \"xsMsXmlCapicom\" foi desativado por compilação {$DEFINE DFE_SEM_CAPICOM}");
    case TSSLXmlSignLib::xsXmlSec:
    case TSSLXmlSignLib::xsMsXml:
      return std::make_unique<TDFeSSLXmlSignMsXml>(ssl);
    case TSSLXmlSignLib::xsNone:
      break;
  }
  return std::make_unique<TDFeSSLXmlSignClass>(ssl);
}

// Whether the name is something other than a folder that exists (a file the roles can open).
bool ArquivoExiste(const std::string& nome) {
  std::error_code erro;
  const auto estado = std::filesystem::status(nome, erro);
  return std::filesystem::exists(estado) && !std::filesystem::is_directory(estado);
}

// Throws when `obj` was made for another facade: its back-reference would dangle.
template <typename TPapel>
void ConferirDono(const TPapel& obj, const TDFeSSL& ssl) {
  if (&obj.DFeSSL() != &ssl)
    throw ENivraDFeException(obj.ClassName() + " pertence a outro TDFeSSL");
}

}  // namespace

TDFeSSL::TDFeSSL() { Clear(); }

TDFeSSL::~TDFeSSL() {
  try {
    Descarregar();
  } catch (...) {
    // A destructor cannot report; releasing a certificate ignores its own failures as well.
  }
  FSSLCryptClass.reset();
  FSSLHttpClass.reset();
  FSSLXmlSignClass.reset();
}

void TDFeSSL::Clear() {
  TrocarCrypt(std::make_unique<TDFeSSLCryptClass>(*this));
  TrocarHttp(std::make_unique<TDFeSSLHttpClass>(*this));
  TrocarXmlSign(std::make_unique<TDFeSSLXmlSignClass>(*this));
  FArquivoPFX.clear();
  FDadosPFX.clear();
  FNumeroSerie.clear();
  FProxyHost.clear();
  FProxyPass.clear();
  FProxyPort.clear();
  FProxyUser.clear();
  FSenha = TSenhaEmbaralhada();
  FNameSpaceURI.clear();
  FSSLCryptLib = TSSLCryptLib::cryNone;
  FSSLHttpLib = TSSLHttpLib::httpNone;
  FSSLXmlSignLib = TSSLXmlSignLib::xsNone;
  FPapeisEscolhidos = false;
  FTimeOut = 5000;
  FSSLType = TSSLType::LT_all;
  FSSLDgst = TSSLDgst::dgstSHA1;
  FStoreLocation = TSSLStoreLocation::slCurrentUser;
  FStoreName = "My";
  FUseCertificateHTTP = true;
  FVerificarServidor = false;
  FArquivoCA.clear();
}

// --- Settings that invalidate the loaded certificate --------------------------------------

void TDFeSSL::SetArquivoPFX(const std::string& valor) {
  if (valor == FArquivoPFX) return;
  FArquivoPFX = valor;
  FDadosPFX.clear();
  Descarregar();
}

void TDFeSSL::SetDadosPFX(const std::string& valor) {
  if (valor == FDadosPFX) return;
  FDadosPFX = valor;
  Descarregar();
}

void TDFeSSL::SetNumeroSerie(const std::string& valor) {
  if (valor == FNumeroSerie) return;
  FNumeroSerie = NormalizarNumeroSerie(valor);
  FDadosPFX.clear();
  Descarregar();
}

std::string TDFeSSL::Senha() const { return FSenha.Texto(); }

void TDFeSSL::SetSenha(const std::string& valor) {
  if (FSenha.Definir(valor)) Descarregar();
}

// --- Library choices and role objects -----------------------------------------------------

void TDFeSSL::SetSSLCryptLib(TSSLCryptLib valor) {
  if (valor == FSSLCryptLib) return;
  FPapeisEscolhidos = true;
  TrocarCrypt(CriarCrypt(*this, valor));
  FSSLCryptLib = valor;
}

void TDFeSSL::SetSSLHttpLib(TSSLHttpLib valor) {
  if (valor == FSSLHttpLib) return;
  FPapeisEscolhidos = true;
  TrocarHttp(CriarHttp(*this, valor));
  FSSLHttpLib = valor;
}

void TDFeSSL::SetSSLXmlSignLib(TSSLXmlSignLib valor) {
  if (valor == FSSLXmlSignLib) return;
  FPapeisEscolhidos = true;
  TrocarXmlSign(CriarXmlSign(*this, valor));
  FSSLXmlSignLib = valor;
}

void TDFeSSL::UsarSSLCryptClass(std::unique_ptr<TDFeSSLCryptClass> obj) {
  if (!obj) obj = std::make_unique<TDFeSSLCryptClass>(*this);
  ConferirDono(*obj, *this);
  FPapeisEscolhidos = true;
  TrocarCrypt(std::move(obj));
}

void TDFeSSL::UsarSSLHttpClass(std::unique_ptr<TDFeSSLHttpClass> obj) {
  if (!obj) obj = std::make_unique<TDFeSSLHttpClass>(*this);
  ConferirDono(*obj, *this);
  FPapeisEscolhidos = true;
  TrocarHttp(std::move(obj));
}

void TDFeSSL::UsarSSLXmlSignClass(std::unique_ptr<TDFeSSLXmlSignClass> obj) {
  if (!obj) obj = std::make_unique<TDFeSSLXmlSignClass>(*this);
  ConferirDono(*obj, *this);
  FPapeisEscolhidos = true;
  TrocarXmlSign(std::move(obj));
}

void TDFeSSL::TrocarCrypt(std::unique_ptr<TDFeSSLCryptClass> obj) {
  Descarregar();
  FSSLCryptClass = std::move(obj);
}

void TDFeSSL::TrocarHttp(std::unique_ptr<TDFeSSLHttpClass> obj) { FSSLHttpClass = std::move(obj); }

void TDFeSSL::TrocarXmlSign(std::unique_ptr<TDFeSSLXmlSignClass> obj) {
  FSSLXmlSignClass = std::move(obj);
}

void TDFeSSL::Descarregar() {
  if (FSSLCryptClass) FSSLCryptClass->DescarregarCertificado();
}

// --- Operations -----------------------------------------------------------------------------

std::string TDFeSSL::Enviar(const std::string& ConteudoXML, const std::string& AURL,
                            const std::string& ASoapAction, const std::string& AMimeType) {
  if (FUseCertificateHTTP) CarregarCertificadoSeNecessario();
  return FSSLHttpClass->Enviar(ConteudoXML, AURL, ASoapAction,
                               AMimeType.empty() ? std::string(MimeTypePadrao) : AMimeType);
}

std::string TDFeSSL::Assinar(const std::string& ConteudoXML, const std::string& docElement,
                             const std::string& infElement, const std::string& SignatureNode,
                             const std::string& SelectionNamespaces, const std::string& IdSignature,
                             const std::string& IdAttr) {
  // A UTF-8 declaration of the input must survive signing unchanged.
  const std::string declaracao = XMLDeclaraUTF8(ConteudoXML) ? DeclaracaoXML(ConteudoXML) : "";

  if (FAntesDeAssinar) {
    std::string copia = ConteudoXML;
    FAntesDeAssinar(copia, docElement, infElement, SignatureNode, SelectionNamespaces, IdSignature);
    // A handler that changed the document has signed it itself.
    if (copia != ConteudoXML) return copia;
  }

  std::string assinado = FSSLXmlSignClass->Assinar(
      ConteudoXML, docElement, infElement, SignatureNode, SelectionNamespaces, IdSignature, IdAttr);
  if (declaracao.empty()) return assinado;
  const std::string doResultado = DeclaracaoXML(assinado);
  if (doResultado.empty()) return declaracao + assinado;
  if (doResultado != declaracao)
    assinado.replace(assinado.find(doResultado), doResultado.size(), declaracao);
  return assinado;
}

bool TDFeSSL::Validar(const std::string& ConteudoXML, const std::string& ArqSchema,
                      std::string& MsgErro) {
  if (ArqSchema.empty()) throw ENivraDFeException("Arquivo de Schema não especificado");
  if (!ArquivoExiste(ArqSchema))
    throw ENivraDFeException("Arquivo \r\n" + ArqSchema + "\r\nNão encontrado");
  MsgErro.clear();
  return FSSLXmlSignClass->Validar(ConteudoXML, ArqSchema, MsgErro);
}

bool TDFeSSL::VerificarAssinatura(const std::string& ConteudoXML, std::string& MsgErro,
                                  const std::string& infElement, const std::string& SignatureNode,
                                  const std::string& SelectionNamespaces,
                                  const std::string& IdSignature, const std::string& IdAttr) {
  MsgErro.clear();
  return FSSLXmlSignClass->VerificarAssinatura(ConteudoXML, MsgErro, infElement, SignatureNode,
                                               SelectionNamespaces, IdSignature, IdAttr);
}

std::string TDFeSSL::CalcHash(std::istream* AStream, TSSLDgst Digest, TSSLHashOutput ModoSaida,
                              bool Assina) {
  if (AStream == nullptr) throw ENivraDFeException("Stream inválido");
  AStream->clear();
  AStream->seekg(0);
  if (AStream->peek() == std::istream::traits_type::eof()) throw ENivraDFeException("Stream vazio");
  return FormatarHash(FSSLCryptClass->CalcHash(*AStream, Digest, Assina), ModoSaida);
}

std::string TDFeSSL::CalcHash(const std::string& BinaryString, TSSLDgst Digest,
                              TSSLHashOutput ModoSaida, bool Assina) {
  std::istringstream dados(BinaryString);
  return CalcHash(&dados, Digest, ModoSaida, Assina);
}

std::string TDFeSSL::CalcHash(const std::vector<std::string>& AStringList, TSSLDgst Digest,
                              TSSLHashOutput ModoSaida, bool Assina) {
  return CalcHash(JuntarLinhas(AStringList), Digest, ModoSaida, Assina);
}

std::string TDFeSSL::CalcHashArquivo(const std::string& NomeArquivo, TSSLDgst Digest,
                                     TSSLHashOutput ModoSaida, bool Assina) {
  if (!ArquivoExiste(NomeArquivo))
    throw ENivraDFeException("Arquivo: " + NomeArquivo + " não encontrado");
  std::ifstream arquivo(NomeArquivo, std::ios::binary);
  if (!arquivo) throw ENivraDFeException("Falha ao abrir o arquivo: " + NomeArquivo);
  return CalcHash(&arquivo, Digest, ModoSaida, Assina);
}

std::string TDFeSSL::FormatarHash(const std::string& bytes, TSSLHashOutput ModoSaida) {
  switch (ModoSaida) {
    case TSSLHashOutput::outHexa:
      return BytesParaHex(bytes);
    case TSSLHashOutput::outBase64: {
      std::string base64(4 * ((bytes.size() + 2) / 3) + 1, '\0');
      const int tamanho = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(base64.data()),
                                          reinterpret_cast<const unsigned char*>(bytes.data()),
                                          static_cast<int>(bytes.size()));
      if (tamanho < 0) throw ENivraDFeException("Falha ao codificar o hash em Base64");
      base64.resize(static_cast<std::size_t>(tamanho));
      return base64;
    }
    case TSSLHashOutput::outBinary:
      break;
  }
  return bytes;
}

// --- Certificate operations -----------------------------------------------------------------

void TDFeSSL::CarregarCertificado() { FSSLCryptClass->CarregarCertificado(); }

void TDFeSSL::CarregarCertificadoSeNecessario() {
  FSSLCryptClass->CarregarCertificadoSeNecessario();
}

void TDFeSSL::DescarregarCertificado() { Descarregar(); }

void TDFeSSL::LerCertificadosStore() { FSSLCryptClass->LerCertificadosStore(); }

std::string TDFeSSL::SelecionarCertificado() {
  std::string numeroSerie = FSSLCryptClass->SelecionarCertificado();
  if (!numeroSerie.empty()) CarregarCertificado();
  return numeroSerie;
}

bool TDFeSSL::CarregarCertificadoPublico(const std::string& DadosX509Base64) {
  Descarregar();
  if (DadosX509Base64.empty()) return false;
  return FSSLCryptClass->CarregarCertificadoPublico(DadosX509Base64);
}

void TDFeSSL::ValidarCNPJCertificado(const std::string& CNPJDocumento) {
  const std::string doDocumento = SomenteLetrasEDigitos(CNPJDocumento);
  if (doDocumento.size() != 14) return;
  const std::string doCertificado = SomenteLetrasEDigitos(CertCNPJ());
  if (doCertificado.size() != 14) return;
  if (!CNPJValido(doDocumento)) throw ENivraDFeException("Erro CNPJ Documento: CNPJ inválido.");
  if (doDocumento.compare(0, 8, doCertificado, 0, 8) != 0)
    throw ENivraDFeException("O CNPJ do Documento é diferente do CNPJ do Certificado Digital");
}

}  // namespace nivra
