// TNivraDFe: construction, the shared logging and error facilities, the services table load
// and the hand-off to the e-mail component.
#include "nivranfe/dfe/nivra_dfe.h"

#include <chrono>
#include <iostream>
#include <thread>

#include "nivranfe/dfe/nivra_mail.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto_arquivo.h"

namespace nivra {

namespace {

std::unique_ptr<TConfiguracoes> CriarConfiguracoesDFe(TNivraDFe* AOwner, TDFeSSL& SSL) {
  return std::make_unique<TConfiguracoes>(AOwner, SSL);
}

// The text with every tag (from "<" to the next ">") removed; an unclosed "<" is kept.
std::string SemTags(const std::string& texto) {
  std::string resultado;
  std::size_t pos = 0;
  while (pos < texto.size()) {
    const std::size_t abre = texto.find('<', pos);
    const std::size_t fecha = abre == std::string::npos ? abre : texto.find('>', abre);
    if (fecha == std::string::npos) {
      resultado.append(texto, pos);
      break;
    }
    resultado.append(texto, pos, abre - pos);
    pos = fecha + 1;
  }
  return resultado;
}

}  // namespace

TNivraDFe::TNivraDFe() : TNivraDFe(&CriarConfiguracoesDFe) {}

TNivraDFe::TNivraDFe(TCriarConfiguracoes CriarConfiguracoes)
    : FSSL(std::make_unique<TDFeSSL>()),
      FPConfiguracoes(CriarConfiguracoes(this, *FSSL)),
      FPIniParams(std::make_unique<TServicosIni>()) {
  const TCertificadosConf& certificados = FPConfiguracoes->Certificados();
  const TWebServicesConf& webServices = FPConfiguracoes->WebServices();
  const TGeralConf& geral = FPConfiguracoes->Geral();
  FSSL->SetArquivoPFX(certificados.ArquivoPFX());
  FSSL->SetDadosPFX(certificados.DadosPFX());
  FSSL->SetNameSpaceURI(GetNameSpaceURI());
  FSSL->SetNumeroSerie(certificados.NumeroSerie());
  FSSL->SetSenha(certificados.Senha());
  FSSL->SetProxyHost(webServices.ProxyHost());
  FSSL->SetProxyPass(webServices.ProxyPass());
  FSSL->SetProxyPort(webServices.ProxyPort());
  FSSL->SetProxyUser(webServices.ProxyUser());
  FSSL->SetTimeOut(webServices.TimeOut());
  FSSL->SetSSLCryptLib(geral.SSLCryptLib());
  FSSL->SetSSLHttpLib(geral.SSLHttpLib());
  FSSL->SetSSLXmlSignLib(geral.SSLXmlSignLib());
  // The table is filled from Params on the first lookup; reading the file name now stores the
  // default services file name with the resource name in force at creation.
  static_cast<void>(FPConfiguracoes->Arquivos().IniServicos());
}

TNivraDFe::~TNivraDFe() {
  SetMAIL(nullptr);
  FSSL.reset();
  FListaDeSchemas.clear();
  FPConfiguracoes.reset();
  FPIniParams.reset();
}

std::string TNivraDFe::GetAbout() const { return "NivraDFe: componente de documentos fiscais"; }

void TNivraDFe::CarregarParametros(bool ApenasSeNaoLido) {
  if (ApenasSeNaoLido && FPIniParamsCarregado) return;
  TWebServicesConf& webServices = FPConfiguracoes->WebServices();
  if (webServices.Params().empty()) webServices.LerParams();
  FPIniParams->Carregar(JuntarLinhas(webServices.Params()));
  FPIniParamsCarregado = true;
}

std::string TNivraDFe::GetNomeModeloDFe() const { return {}; }

std::string TNivraDFe::GetNameSpaceURI() const { return {}; }

std::string TNivraDFe::NomeServicoToNomeSchema(const std::string&) const { return {}; }

void TNivraDFe::EnviarEmail(const std::string& sPara, const std::string& sAssunto,
                            const std::vector<std::string>* sMensagem,
                            const std::vector<std::string>* sCC,
                            const std::vector<std::string>* Anexos, const std::string* StreamNFe,
                            const std::string& NomeArq, const std::vector<std::string>* sReplyTo) {
  if (FMAIL == nullptr) throw ENivraDFeException("Componente NivraMail não associado");
  TNivraMail& mail = *FMAIL;
  mail.Limpar();
  mail.AdicionarDestinatario(sPara);
  mail.SetAssunto(sAssunto);
  if (sMensagem != nullptr) {
    const std::string corpo = JuntarLinhas(*sMensagem);
    mail.SetCorpo(corpo);
    mail.SetCorpoAlternativo(SemTags(corpo));
  }
  mail.LimparAnexos();
  if (StreamNFe != nullptr) mail.AdicionarAnexoDados(*StreamNFe, NomeArq);
  if (Anexos != nullptr) {
    for (const std::string& arquivo : *Anexos) mail.AdicionarAnexoArquivo(arquivo);
  }
  if (sCC != nullptr) {
    for (const std::string& endereco : *sCC) mail.AdicionarCopia(endereco);
  }
  if (sReplyTo != nullptr) {
    for (const std::string& endereco : *sReplyTo) mail.AdicionarResponderPara(endereco);
  }
  mail.Enviar();
}

void TNivraDFe::FazerLog(const std::string& Msg, bool& Tratado) {
  Tratado = false;
  if (!Msg.empty() && FOnGerarLog) FOnGerarLog(Msg, Tratado);
}

void TNivraDFe::GerarException(const std::string& Msg, const std::exception* E) {
  std::string texto = Msg;
  if (E != nullptr) texto += "\r\n" + std::string(E->what());
  bool tratado = false;
  FazerLog("ERRO: " + texto, tratado);
  if (tratado) return;
  // A component failure keeps its type under the added context.
  if (const auto* falha = dynamic_cast<const ENivraDFeException*>(E))
    falha->LancarComMensagem(texto);
  throw ENivraDFeException(texto);
}

void TNivraDFe::GerarFalha(const ENivraDFeException& Falha) {
  bool tratado = false;
  FazerLog("ERRO: " + std::string(Falha.what()), tratado);
  if (!tratado) Falha.LancarComMensagem(Falha.what());
}

TDateTime TNivraDFe::Agora() const { return FRelogio ? FRelogio() : nivra::Agora(); }

void TNivraDFe::Esperar(uint32_t Milissegundos) const {
  if (FEspera) {
    FEspera(Milissegundos);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(Milissegundos));
}

void TNivraDFe::ExibirAviso(const std::string& Mensagem) const {
  if (FOnExibirAviso) {
    FOnExibirAviso(Mensagem);
    return;
  }
  std::cerr << Mensagem << std::endl;
}

void TNivraDFe::SetMAIL(TNivraMail* Valor) {
  if (Valor == FMAIL) return;
  if (FMAIL != nullptr) FMAIL->RemoverObservador(*this);
  FMAIL = Valor;
  if (FMAIL != nullptr) FMAIL->RegistrarObservador(*this);
}

const TDFeSSLAntesDeAssinar& TNivraDFe::OnAntesDeAssinar() const { return FSSL->AntesDeAssinar(); }

void TNivraDFe::SetOnAntesDeAssinar(TDFeSSLAntesDeAssinar Valor) {
  FSSL->SetAntesDeAssinar(std::move(Valor));
}

void TNivraDFe::NotificarLiberacao(const TNotificadorLiberacao& Objeto) {
  if (FMAIL != nullptr && static_cast<const TNotificadorLiberacao*>(FMAIL) == &Objeto)
    FMAIL = nullptr;
}

}  // namespace nivra
