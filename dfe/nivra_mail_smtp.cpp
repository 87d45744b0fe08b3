// Delivery of the e-mail component's message over SMTP with libcurl: the MIME tree, the
// headers, the envelope, and the server's answer when it refuses.
#include <curl/curl.h>
#include <openssl/crypto.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "nivranfe/dfe/mail_cabecalhos.h"
#include "nivranfe/dfe/nivra_mail.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/fuso_horario.h"

namespace nivra {

namespace {

struct TLiberaCurl {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct TLiberaMime {
  void operator()(curl_mime* m) const { curl_mime_free(m); }
};
struct TLiberaLista {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using TCurl = std::unique_ptr<CURL, TLiberaCurl>;
using TMime = std::unique_ptr<curl_mime, TLiberaMime>;
using TListaCurl = std::unique_ptr<curl_slist, TLiberaLista>;

void Acrescentar(TListaCurl& lista, const std::string& linha) {
  curl_slist* nova = curl_slist_append(lista.get(), linha.c_str());
  if (nova == nullptr) throw ENivraDFeException("Sem memória para montar o e-mail");
  (void)lista.release();
  lista.reset(nova);
}

void Verificar(CURLcode codigo) {
  if (codigo != CURLE_OK)
    throw ENivraDFeException(std::string("Falha ao montar o e-mail: ") +
                             curl_easy_strerror(codigo));
}

// The server's replies as they arrive, one line each; only the last few are kept. Commands
// sent to the server (the login among them) are never looked at.
struct TRespostas {
  std::vector<std::string> Linhas;

  // The last reply whose code says failure (4xx or 5xx), on one line; empty when none.
  std::string UltimaRecusa() const {
    size_t fim = 0;
    for (size_t i = Linhas.size(); i > 0; --i) {
      if (!Linhas[i - 1].empty() && (Linhas[i - 1][0] == '4' || Linhas[i - 1][0] == '5')) {
        fim = i;
        break;
      }
    }
    if (fim == 0) return {};
    // A reply of several lines: "550-..." lines before the final "550 ..." one.
    size_t inicio = fim - 1;
    while (inicio > 0 && Linhas[inicio - 1].size() > 3 && Linhas[inicio - 1][3] == '-' &&
           Linhas[inicio - 1].compare(0, 3, Linhas[fim - 1], 0, 3) == 0)
      --inicio;
    std::string texto;
    for (size_t i = inicio; i < fim; ++i) texto += (texto.empty() ? "" : " ") + Linhas[i];
    return texto;
  }
};

int GuardarResposta(CURL*, curl_infotype tipo, char* dados, size_t tamanho, void* usuario) {
  if (tipo != CURLINFO_HEADER_IN) return 0;
  auto& respostas = *static_cast<TRespostas*>(usuario);
  std::string linha(dados, tamanho);
  while (!linha.empty() && (linha.back() == '\n' || linha.back() == '\r')) linha.pop_back();
  respostas.Linhas.push_back(std::move(linha));
  constexpr size_t kMaximo = 32;
  if (respostas.Linhas.size() > kMaximo) respostas.Linhas.erase(respostas.Linhas.begin());
  return 0;
}

std::string JuntarEnderecos(const std::vector<std::string>& enderecos) {
  std::string texto;
  for (const std::string& e : enderecos)
    texto += (texto.empty() ? "" : ",\r\n ") + FormatarEnderecoMail(LerEnderecoMail(e));
  return texto;
}

std::string IdentificadorMensagem(const std::string& remetente) {
  std::random_device aleatorio;
  std::string id;
  for (int i = 0; i < 4; ++i) {
    char bloco[9];
    std::snprintf(bloco, sizeof bloco, "%08x", aleatorio());
    id += bloco;
  }
  return "<" + id + remetente.substr(remetente.find('@')) + ">";
}

void AdicionarParteTexto(curl_mime* mime, const std::string& texto, const char* tipo) {
  curl_mimepart* parte = curl_mime_addpart(mime);
  if (parte == nullptr) throw ENivraDFeException("Sem memória para montar o e-mail");
  Verificar(curl_mime_data(parte, texto.data(), texto.size()));
  Verificar(curl_mime_type(parte, tipo));
  Verificar(curl_mime_encoder(parte, "quoted-printable"));
}

// The title of a failure by what curl says went wrong.
std::string TituloFalha(CURLcode codigo, const std::string& erroCurl) {
  switch (codigo) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
      return "Não foi possível conectar ao servidor de e-mail";
    case CURLE_LOGIN_DENIED:
      return "Usuário ou senha recusados pelo servidor de e-mail";
    case CURLE_USE_SSL_FAILED:
      return "O servidor de e-mail não aceitou STARTTLS";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
      return "Falha na conexão segura com o servidor de e-mail";
    default:
      break;
  }
  if (erroCurl.starts_with("RCPT")) return "Destinatário recusado pelo servidor de e-mail";
  if (erroCurl.starts_with("MAIL")) return "Remetente recusado pelo servidor de e-mail";
  return "Falha ao enviar o e-mail pelo servidor";
}

}  // namespace

void TNivraMail::Enviar() {
  if (FHost.empty()) throw ENivraDFeException("Servidor de e-mail (Host) não informado");
  if (FDe.empty()) throw ENivraDFeException("Remetente (De) não informado");
  if (FDestinatarios.empty()) throw ENivraDFeException("Nenhum destinatário informado");
  const TEnderecoMail remetente = LerEnderecoMail(FDe);
  for (const TNivraMailAnexo& anexo : FAnexos) {
    std::error_code erro;
    if (!anexo.Arquivo.empty() && (!std::filesystem::is_regular_file(anexo.Arquivo, erro) ||
                                   !std::ifstream(anexo.Arquivo, std::ios::binary)))
      throw ENivraDFeException("Anexo não encontrado ou ilegível: " + anexo.Arquivo);
  }

  TCurl curl(curl_easy_init());
  if (!curl) throw ENivraDFeException("Não foi possível iniciar o envio de e-mail");
  CURL* c = curl.get();

  // Headers. Reply-To and Cc only when given; the name of the sender as NomeDe says.
  TListaCurl cabecalhos;
  const TDateTime agora = FRelogio ? FRelogio() : nivra::Agora();
  Acrescentar(cabecalhos, "Date: " + DataMail(agora, FusoHorarioSistema(agora)));
  Acrescentar(cabecalhos,
              "From: " + FormatarEnderecoMail(
                             {FNomeDe.empty() ? remetente.Nome : FNomeDe, remetente.Endereco}));
  Acrescentar(cabecalhos, "To: " + JuntarEnderecos(FDestinatarios));
  if (!FCopias.empty()) Acrescentar(cabecalhos, "Cc: " + JuntarEnderecos(FCopias));
  if (!FResponderPara.empty())
    Acrescentar(cabecalhos, "Reply-To: " + JuntarEnderecos(FResponderPara));
  Acrescentar(cabecalhos, "Subject: " + CodificarTextoCabecalho(FAssunto));
  Acrescentar(cabecalhos, "Message-ID: " + IdentificadorMensagem(remetente.Endereco));

  TListaCurl envelope;
  for (const auto* lista : {&FDestinatarios, &FCopias}) {
    for (const std::string& e : *lista)
      Acrescentar(envelope, "<" + LerEnderecoMail(e).Endereco + ">");
  }

  // multipart/mixed: the body, then each attachment in Base64.
  TMime mime(curl_mime_init(c));
  if (!mime) throw ENivraDFeException("Sem memória para montar o e-mail");
  if (FCorpoAlternativo.empty()) {
    AdicionarParteTexto(mime.get(), FCorpo, "text/plain; charset=UTF-8");
  } else {
    TMime alternativas(curl_mime_init(c));
    if (!alternativas) throw ENivraDFeException("Sem memória para montar o e-mail");
    AdicionarParteTexto(alternativas.get(), FCorpoAlternativo, "text/plain; charset=UTF-8");
    AdicionarParteTexto(alternativas.get(), FCorpo, "text/html; charset=UTF-8");
    curl_mimepart* corpo = curl_mime_addpart(mime.get());
    if (corpo == nullptr) throw ENivraDFeException("Sem memória para montar o e-mail");
    Verificar(curl_mime_subparts(corpo, alternativas.get()));
    (void)alternativas.release();  // now owned by the part
    Verificar(curl_mime_type(corpo, "multipart/alternative"));
  }
  for (const TNivraMailAnexo& anexo : FAnexos) {
    curl_mimepart* parte = curl_mime_addpart(mime.get());
    if (parte == nullptr) throw ENivraDFeException("Sem memória para montar o e-mail");
    std::string nome = anexo.Nome;
    if (anexo.Arquivo.empty()) {
      Verificar(curl_mime_data(parte, anexo.Dados.data(), anexo.Dados.size()));
      if (nome.empty()) nome = "anexo";
    } else {
      Verificar(curl_mime_filedata(parte, anexo.Arquivo.c_str()));
      Verificar(curl_mime_filename(parte, nullptr));
      if (nome.empty()) nome = std::filesystem::path(anexo.Arquivo).filename().string();
    }
    Verificar(curl_mime_type(parte, TipoAnexo(nome).c_str()));
    Verificar(curl_mime_encoder(parte, "base64"));
    TListaCurl disposicao;
    Acrescentar(disposicao, "Content-Disposition: " + DisposicaoAnexo(nome));
    Verificar(curl_mime_headers(parte, disposicao.get(), 1));
    (void)disposicao.release();  // now owned by the part
  }

  const std::string servidor = FHost + ":" + std::to_string(PortaEfetiva());
  const std::string url = (FSSL ? "smtps://" : "smtp://") + servidor;
  const std::string de = "<" + remetente.Endereco + ">";
  TRespostas respostas;
  char erroCurl[CURL_ERROR_SIZE] = {};
  Verificar(curl_easy_setopt(c, CURLOPT_URL, url.c_str()));
  Verificar(curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps"));
  Verificar(curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L));
  Verificar(curl_easy_setopt(c, CURLOPT_ERRORBUFFER, erroCurl));
  Verificar(curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(FTimeOut)));
  Verificar(curl_easy_setopt(c, CURLOPT_USE_SSL,
                             static_cast<long>(FSSL || FTLS ? CURLUSESSL_ALL : CURLUSESSL_NONE)));
  Verificar(curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, FVerificarCertificado ? 1L : 0L));
  Verificar(curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, FVerificarCertificado ? 2L : 0L));
  if (!FArquivoCA.empty()) Verificar(curl_easy_setopt(c, CURLOPT_CAINFO, FArquivoCA.c_str()));
  if (!FUsuario.empty()) {
    Verificar(curl_easy_setopt(c, CURLOPT_USERNAME, FUsuario.c_str()));
    std::string senha = FSenha.Texto();
    const CURLcode definida = curl_easy_setopt(c, CURLOPT_PASSWORD, senha.c_str());  // copied
    OPENSSL_cleanse(senha.data(), senha.size());
    Verificar(definida);
  }
  Verificar(curl_easy_setopt(c, CURLOPT_MAIL_FROM, de.c_str()));
  Verificar(curl_easy_setopt(c, CURLOPT_MAIL_RCPT, envelope.get()));
  Verificar(curl_easy_setopt(c, CURLOPT_HTTPHEADER, cabecalhos.get()));
  Verificar(curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get()));
  // The conversation reaches only GuardarResposta, which keeps the server's lines.
  Verificar(curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, GuardarResposta));
  Verificar(curl_easy_setopt(c, CURLOPT_DEBUGDATA, &respostas));
  Verificar(curl_easy_setopt(c, CURLOPT_VERBOSE, 1L));

  const CURLcode resultado = curl_easy_perform(c);
  if (resultado == CURLE_OK) return;
  const std::string detalhe = erroCurl[0] != '\0' ? erroCurl : curl_easy_strerror(resultado);
  const std::string recusa = respostas.UltimaRecusa();
  throw ENivraDFeException(TituloFalha(resultado, detalhe) + " " + servidor + ": " +
                           (recusa.empty() ? detalhe : recusa));
}

}  // namespace nivra
