// Reads the status answer document.
#include "nivranfe/nfe/ret_cons_stat_serv.h"

#include <exception>

#include "nivranfe/xml/valor_campo.h"

namespace nivra {

bool TRetConsStatServ::LerXml() {
  try {
    FLeitor.SetGrupo(FLeitor.Arquivo());
    if (FLeitor.rExtrai(1, "retConsStatServ").empty()) return false;
    LerCampos();
    return true;
  } catch (const std::exception&) {
    // A malformed date stops the reading; the caller keeps what was read so far.
    return false;
  }
}

namespace {

int32_t Inteiro(const TVariante& valor) { return VarianteParaInteiro(valor).value_or(0); }

}  // namespace

void TRetConsStatServ::LerCampos() {
  Fversao = VarianteParaTexto(FLeitor.rAtributo("versao"));
  bool ok = false;
  FtpAmb =
      TextoParaTipoAmbiente(ok, VarianteParaTexto(FLeitor.rCampo(TkovTipoCampo::tcStr, "tpAmb")));
  FverAplic = VarianteParaTexto(FLeitor.rCampo(TkovTipoCampo::tcStr, "verAplic"));
  FcStat = Inteiro(FLeitor.rCampo(TkovTipoCampo::tcInt, "cStat"));
  FxMotivo = VarianteParaTexto(FLeitor.rCampo(TkovTipoCampo::tcStr, "xMotivo"));
  FcUF = Inteiro(FLeitor.rCampo(TkovTipoCampo::tcInt, "cUF"));
  FdhRecbto = VarianteParaDataHora(FLeitor.rCampo(TkovTipoCampo::tcDatHor, "dhRecbto"));
  FtMed = Inteiro(FLeitor.rCampo(TkovTipoCampo::tcInt, "tMed"));
  FdhRetorno = VarianteParaDataHora(FLeitor.rCampo(TkovTipoCampo::tcDatHor, "dhRetorno"));
  FxObs = VarianteParaTexto(FLeitor.rCampo(TkovTipoCampo::tcStr, "xObs"));
}

}  // namespace nivra
