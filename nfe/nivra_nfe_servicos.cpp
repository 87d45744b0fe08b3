// The component's operations that drive the NF-e services.
#include "nivranfe/dfe/danfe.h"
#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/nfe/env_evento.h"
#include "nivranfe/nfe/webservices.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/numeros.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

constexpr std::size_t kMaximoNotas = 50;
constexpr std::size_t kMaximoEventos = 20;
constexpr int kOrgaoNacional = 91;

}  // namespace

bool TNivraNFe::ExecutarServico(TDFeWebService& Servico) {
  const bool resultado = Servico.Executar();
  if (!resultado) GerarFalha(ENivraDFeRespostaRecusada(Servico.Msg()));
  return resultado;
}

bool TNivraNFe::Enviar(const std::string& ALote, bool Imprimir, bool Sincrono, bool Zipado) {
  const std::size_t quantidade = NotasFiscais().Count();
  if (quantidade == 0) {
    GerarException("ERRO: Nenhuma NF-e adicionada ao Lote");
    return false;
  }
  if (quantidade > kMaximoNotas) {
    GerarException(
        "ERRO: Conjunto de NF-e transmitidas (máximo de 50 NF-e) excedido. Quantidade atual: " +
        std::to_string(quantidade));
    return false;
  }
  if (!PrepararNotas()) return false;
  const bool enviado = WebServices().Envia(ALote, Sincrono, Zipado);
  if (enviado && Imprimir && DANFE() != nullptr)
    for (std::size_t i = 0; i < NotasFiscais().Count(); ++i)
      if (CstatConfirmada(NotasFiscais().Items(i).cStat()))
        DANFE()->ImprimirDANFE(NotasFiscais().Items(i));
  return enviado;
}

bool TNivraNFe::PrepararNotas() {
  Configuracoes().Geral().UsarPapeisDaCompilacao();
  for (std::size_t i = 0; i < NotasFiscais().Count(); ++i) {
    NotaFiscal& nota = NotasFiscais().Items(i);
    // A document built from the model is written first; its alerts are its errors.
    if (nota.TemModelo() && nota.XML().empty()) nota.GerarXML();
    if (!nota.Alertas().empty()) {
      std::string alertas;
      for (const auto& alerta : nota.Alertas()) alertas += "\r\n" + alerta;
      GerarException("Falha na validação dos dados da nota " + nota.ChaveAcesso() + alertas);
      return false;
    }
    if (nota.DigestValue().empty()) {
      try {
        nota.SetXML(SSL().Assinar(nota.XML(), "NFe", "infNFe"));
      } catch (const std::exception& e) {
        GerarException("Falha ao assinar Nota Fiscal Eletrônica " + nota.ChaveAcesso(), &e);
        return false;
      }
    }
    const std::string versao = nota.VersaoXML();
    std::string erro;
    if (!ValidarNoSchema(nota.XML(), "nfe",
                         versao.empty() ? VersaoParaNumero(Configuracoes().Geral().VersaoDF())
                                        : TextoParaDecimal(versao, 0),
                         erro)) {
      GerarFalha(ENivraDFeFalhaSchema("Falha na validação dos dados da nota " + nota.ChaveAcesso() +
                                      "\r\n" + erro));
      return false;
    }
  }
  return true;
}

bool TNivraNFe::Consultar(const std::string& AChave) {
  if (NotasFiscais().Count() == 0 && AChave.empty()) {
    GerarException("ERRO: Nenhuma Nota Fiscal Eletrônica ou Chave Informada!");
    return false;
  }
  auto& consulta = WebServices().Consulta();
  if (!AChave.empty()) {
    NotasFiscais().Clear();
    consulta.SetNFeChave(AChave);
    (void)ExecutarServico(consulta);
    return true;
  }
  for (std::size_t i = 0; i < NotasFiscais().Count(); ++i) {
    consulta.SetNFeChave(NotasFiscais().Items(i).ChaveAcesso());
    (void)ExecutarServico(consulta);
  }
  return true;
}

bool TNivraNFe::Cancelamento(const std::string& AJustificativa, int64_t ALote) {
  if (NotasFiscais().Count() == 0) {
    GerarException("ERRO: Nenhuma Nota Fiscal Eletrônica Informada!");
    return false;
  }
  auto& consulta = WebServices().Consulta();
  for (std::size_t i = 0; i < NotasFiscais().Count(); ++i) {
    const std::string chave = NotasFiscais().Items(i).ChaveAcesso();
    consulta.SetNFeChave(chave);
    if (!ExecutarServico(consulta)) return false;
    TInfEventoNFe evento;
    evento.CNPJ = chave.substr(6, 14);
    evento.cOrgao = CodigoUFDaChave(chave);
    evento.dhEvento = Agora();
    evento.tpEvento = TkovTpEvento::teCancelamento;
    evento.chNFe = chave;
    evento.nProt = consulta.Protocolo();
    evento.xJust = AJustificativa;
    EventoNFe().Evento = {evento};
    try {
      if (!EnviarEvento(ALote)) return false;
    } catch (const std::exception& e) {
      // The failure carries the event's own code and reason when the authoriser answered.
      GerarException(e.what());
      return false;
    }
  }
  return true;
}

bool TNivraNFe::EnviarEvento(int64_t idLote) {
  auto& eventos = EventoNFe().Evento;
  if (eventos.empty()) {
    GerarException("ERRO: Nenhum Evento adicionado ao Lote");
    return false;
  }
  if (eventos.size() > kMaximoEventos) {
    GerarException(
        "ERRO: Conjunto de Eventos transmitidos (máximo de 20) excedido. Quantidade atual: " +
        std::to_string(eventos.size()));
    return false;
  }
  auto& ws = WebServices();
  ws.EnvEvento().SetidLote(idLote);
  for (TInfEventoNFe& evento : eventos) {
    if (evento.nSeqEvento == 0) evento.nSeqEvento = 1;
    evento.tpAmb = Configuracoes().WebServices().Ambiente();
    if (NotasFiscais().Count() > 0) {
      NotaFiscal* nota = nullptr;
      const std::string chave = SomenteLetrasEDigitos(evento.chNFe);
      for (std::size_t i = 0; i < NotasFiscais().Count(); ++i)
        if (chave.empty() || NotasFiscais().Items(i).ChaveAcesso() == chave) {
          nota = &NotasFiscais().Items(i);
          break;
        }
      if (nota == nullptr) {
        GerarException("Não existe NFe com a chave [" + chave + "] carregada");
        return false;
      }
      if (evento.CNPJ.empty()) evento.CNPJ = nota->CNPJEmitente();
      if (evento.chNFe.empty()) evento.chNFe = nota->ChaveAcesso();
      if (evento.tpEvento == TkovTpEvento::teCancelamento && evento.nProt.empty()) {
        evento.nProt = nota->Protocolo();
        if (evento.nProt.empty()) {
          auto& consulta = ws.Consulta();
          consulta.SetNFeChave(evento.chNFe);
          if (!ExecutarServico(consulta)) return false;
          evento.nProt = consulta.Protocolo();
        }
      }
    }
    if (!FormaDeChaveAcesso(evento.chNFe)) {
      GerarException("Chave \"" + evento.chNFe + "\" inválida.");
      return false;
    }
    if (evento.cOrgao == 0)
      evento.cOrgao =
          EventoNacional(evento.tpEvento) ? kOrgaoNacional : CodigoUFDaChave(evento.chNFe);
  }
  return ExecutarServico(ws.EnvEvento());
}

bool TNivraNFe::EnviarCartaCorrecao(int64_t idLote) {
  EventoNFe().Evento = CartaCorrecao().Evento;
  for (TInfEventoNFe& evento : EventoNFe().Evento) evento.tpEvento = TkovTpEvento::teCCe;
  return EnviarEvento(idLote);
}

bool TNivraNFe::Inutilizar(const std::string& ACNPJ, const std::string& AJustificativa, int AAno,
                           int ASerie, int ANumInicial, int ANumFinal) {
  WebServices().Inutiliza(ACNPJ, AJustificativa, AAno, Configuracoes().Geral().ModeloDFCodigo(),
                          ASerie, ANumInicial, ANumFinal);
  return true;
}

bool TNivraNFe::AdministrarCSC(const std::string& ARaizCNPJ, int AIndOP, int AIdCSC,
                               const std::string& ACodigoCSC) {
  auto& servico = WebServices().AdministrarCSCNFCe();
  servico.SetRaizCNPJ(ARaizCNPJ);
  servico.SetindOp(AIndOP);
  servico.SetIdCSC(AIdCSC);
  servico.SetCodigoCSC(ACodigoCSC);
  return ExecutarServico(servico);
}

bool TNivraNFe::DistribuicaoDFe(int AcUFAutor, const std::string& ACNPJCPF,
                                const std::string& AultNSU, const std::string& ANSU,
                                const std::string& AchNFe) {
  auto& servico = WebServices().DistribuicaoDFe();
  servico.SetcUFAutor(AcUFAutor);
  servico.SetCNPJCPF(ACNPJCPF);
  servico.SetultNSU(AultNSU);
  servico.SetNSU(ANSU);
  servico.SetchNFe(AchNFe);
  return ExecutarServico(servico);
}

bool TNivraNFe::DistribuicaoDFePorUltNSU(int AcUFAutor, const std::string& ACNPJCPF,
                                         const std::string& AultNSU) {
  return DistribuicaoDFe(AcUFAutor, ACNPJCPF, AultNSU, "", "");
}

bool TNivraNFe::DistribuicaoDFePorNSU(int AcUFAutor, const std::string& ACNPJCPF,
                                      const std::string& ANSU) {
  return DistribuicaoDFe(AcUFAutor, ACNPJCPF, "", ANSU, "");
}

bool TNivraNFe::DistribuicaoDFePorChaveNFe(int AcUFAutor, const std::string& ACNPJCPF,
                                           const std::string& AchNFe) {
  return DistribuicaoDFe(AcUFAutor, ACNPJCPF, "", "", AchNFe);
}

bool TNivraNFe::ConsultaNFeDest(const std::string&, int, int, const std::string&) {
  GerarException(
      "Após 02/05/2017 o Web Service ConsultaNFeDest foi desativado pela SEFAZ.\r"
      "Favor utilizar o método DistribuicaoDFe.");
  return false;
}

bool TNivraNFe::Download() {
  GerarException(
      "Após 02/05/2017 o Web Service DownloadNFe foi desativado pela SEFAZ.\r"
      "Favor utilizar o método DistribuicaoDFe.");
  return false;
}

}  // namespace nivra
