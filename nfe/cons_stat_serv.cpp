// Writes the status request document.
#include "nivranfe/nfe/cons_stat_serv.h"

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

bool TConsStatServ::GerarXML() {
  FGerador.SetArquivoFormatoXML("");
  FGerador.wGrupo(
      "consStatServ xmlns=\"" + std::string(NAME_SPACE) + "\" versao=\"" + FVersao + "\"", "",
      true);
  FGerador.wCampo(TkovTipoCampo::tcStr, "FP03", "tpAmb", 1, 1, 1, TipoAmbienteParaTexto(FtpAmb),
                  "Identificação do Ambiente");
  // The generator trims the tag, so the padded name still writes <cUF>.
  FGerador.wCampo(TkovTipoCampo::tcInt, "FP04", "cUF  ", 2, 2, 1, static_cast<int64_t>(FcUF),
                  "Código do UF (Unidade da Federação)");
  FGerador.wCampo(TkovTipoCampo::tcStr, "FP05", "xServ", 6, 6, 1, std::string("STATUS"),
                  "Descrição do serviço");
  FGerador.wGrupo("/consStatServ");
  return FGerador.ListaDeAlertas().empty();
}

std::string TConsStatServ::ObterNomeArquivo() const {
  return FormatarDataHora("yyyymmddhhnnss", Agora()) + "-ped-sta.xml";
}

}  // namespace nivra
