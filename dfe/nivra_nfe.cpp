// TNivraNFe: construction, status, the NF-e answers, e-mail and printing hand-offs.
#include "nivranfe/dfe/nivra_nfe.h"

#include "nivranfe/security/dfe_ssl.h"

namespace nivra {

namespace {

std::unique_ptr<TConfiguracoes> CriarConfiguracoesNFe(TNivraDFe* AOwner, TDFeSSL& SSL) {
  return std::make_unique<TConfiguracoesNFe>(AOwner, SSL);
}

}  // namespace

TNivraNFe::TNivraNFe()
    : TNivraDFe(&CriarConfiguracoesNFe),
      FNotasFiscais(std::make_unique<TNotasFiscais>()),
      FCartaCorrecao(std::make_unique<TCartaCorrecao>()),
      FEventoNFe(std::make_unique<TEventoNFe>()),
      FInutNFe(std::make_unique<TinutNFe>()),
      FDownloadNFe(std::make_unique<TDownload>()),
      FRetDownloadNFe(std::make_unique<TRetDownloadNFe>()),
      FRetDistDFeInt(std::make_unique<TRetDistDFeInt>()) {
  // The base part gave the facade its own (empty) namespace; this component's is the NF-e one.
  SSL().SetNameSpaceURI(GetNameSpaceURI());
}

TNivraNFe::~TNivraNFe() {
  SetDANFE(nullptr);
  FNotasFiscais.reset();
  FCartaCorrecao.reset();
  FEventoNFe.reset();
  FInutNFe.reset();
  FDownloadNFe.reset();
  FRetDistDFeInt.reset();
  FWebServices.reset();
  FRetDownloadNFe.reset();
}

std::string TNivraNFe::GetNomeModeloDFe() const {
  return ModeloParaPrefixo(Configuracoes().Geral().ModeloDF());
}

std::string TNivraNFe::GetNameSpaceURI() const { return NAME_SPACE; }

std::string TNivraNFe::NomeServicoToNomeSchema(const std::string& NomeServico) const {
  bool ok = false;
  const TLayOut layout = ServicoParaLayOut(ok, NomeServico);
  if (!ok) return {};
  return SchemaParaTexto(LayOutParaSchema(layout));
}

void TNivraNFe::EnviarEmail(const std::string& sPara, const std::string& sAssunto,
                            const std::vector<std::string>* sMensagem,
                            const std::vector<std::string>* sCC,
                            const std::vector<std::string>* Anexos, const std::string* StreamNFe,
                            const std::string& NomeArq, const std::vector<std::string>* sReplyTo) {
  SetStatus(TStatusNivraNFe::stNFeEmail);
  try {
    TNivraDFe::EnviarEmail(sPara, sAssunto, sMensagem, sCC, Anexos, StreamNFe, NomeArq, sReplyTo);
  } catch (...) {
    SetStatus(TStatusNivraNFe::stIdle);
    throw;
  }
  SetStatus(TStatusNivraNFe::stIdle);
}

bool TNivraNFe::CstatConfirmada(int AValue) {
  switch (AValue) {
    case 100:
    case 110:
    case 150:
    case 301:
    case 302:
    case 303:
      return true;
    default:
      return false;
  }
}

bool TNivraNFe::CstatProcessado(int AValue) { return CstatConfirmada(AValue); }

bool TNivraNFe::CstatCancelada(int AValue) {
  return AValue == 101 || AValue == 151 || AValue == 155;
}

bool TNivraNFe::EhAutorizacao(TkovVersaoDF AVersao, TkovModeloDF AModelo, int AUFCodigo) {
  if (AModelo == TkovModeloDF::moNFCe) return AUFCodigo != 13;
  return AVersao >= TkovVersaoDF::ve310;
}

void TNivraNFe::ImprimirEvento() { ImprimirComDANFE(&TNivraNFeDANFEClass::ImprimirEvento); }

void TNivraNFe::ImprimirEventoPDF() { ImprimirComDANFE(&TNivraNFeDANFEClass::ImprimirEventoPDF); }

void TNivraNFe::ImprimirInutilizacao() {
  ImprimirComDANFE(&TNivraNFeDANFEClass::ImprimirInutilizacao);
}

void TNivraNFe::ImprimirInutilizacaoPDF() {
  ImprimirComDANFE(&TNivraNFeDANFEClass::ImprimirInutilizacaoPDF);
}

void TNivraNFe::ImprimirComDANFE(void (TNivraNFeDANFEClass::*Operacao)()) {
  if (FDANFE == nullptr) return GerarException("Componente DANFE não associado.");
  (FDANFE->*Operacao)();
}

void TNivraNFe::SetStatus(TStatusNivraNFe stNewStatus) {
  if (stNewStatus == FStatus) return;
  FStatus = stNewStatus;
  if (OnStatusChange()) OnStatusChange()(*this);
}

void TNivraNFe::SetDANFE(TNivraNFeDANFEClass* Valor) {
  if (Valor == FDANFE) return;
  if (FDANFE != nullptr) {
    FDANFE->RemoverObservador(*this);
    // The printing component may since serve another NF-e component; that link stays.
    if (FDANFE->NivraNFe() == this) FDANFE->SetNivraNFe(nullptr);
  }
  FDANFE = Valor;
  if (FDANFE != nullptr) {
    FDANFE->RegistrarObservador(*this);
    FDANFE->SetNivraNFe(this);
  }
}

void TNivraNFe::NotificarLiberacao(const TNotificadorLiberacao& Objeto) {
  TNivraDFe::NotificarLiberacao(Objeto);
  if (FDANFE != nullptr && static_cast<const TNotificadorLiberacao*>(FDANFE) == &Objeto)
    FDANFE = nullptr;
}

}  // namespace nivra
