// Attaching protocols to documents.
#include "nivranfe/nfe/protocolos_nfe.h"

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

bool AnexarProtocolos(TNivraNFe& NFe, const std::vector<TProtNFeRetorno>& Protocolos) {
  auto& conf = NFe.Configuracoes();
  bool todosProcessados = NFe.NotasFiscais().Count() > 0;
  for (std::size_t i = 0; i < NFe.NotasFiscais().Count(); ++i) {
    NotaFiscal& nota = NFe.NotasFiscais().Items(i);
    const std::string chave = nota.ChaveAcesso();
    const TProtNFeRetorno* protocolo = nullptr;
    for (const TProtNFeRetorno& p : Protocolos)
      if (p.chNFe == chave) protocolo = &p;
    if (protocolo == nullptr) {
      todosProcessados = false;
      continue;
    }
    if (conf.Geral().ValidarDigest() && !protocolo->digVal.empty() &&
        protocolo->digVal != nota.DigestValue())
      throw ENivraNFeException("DigestValue do documento " + chave + " não confere.");
    nota.SetProtocolo(protocolo->XML, protocolo->nProt, protocolo->cStat, protocolo->xMotivo);
    const bool processado = TNivraNFe::CstatProcessado(protocolo->cStat);
    todosProcessados = todosProcessados && processado;
    if (conf.Arquivos().Salvar() && (processado || !conf.Arquivos().SalvarApenasNFeProcessadas())) {
      const std::string xml = processado ? nota.XMLProcessado() : nota.XML();
      (void)NFe.Gravar(chave + "-nfe.xml", xml, conf.Arquivos().GetPathNFe(0, nota.CNPJEmitente()));
    }
  }
  return todosProcessados;
}

}  // namespace nivra
