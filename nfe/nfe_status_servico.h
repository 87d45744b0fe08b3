// The status service: asks the authoriser of the configured UF whether its NF-e
// authorisation service is in operation.
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/nfe/nfe_web_service.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

// Host part shared by every address of the SVRS authoriser.
inline constexpr const char* HOST_SVRS = "svrs.rs.gov.br";

// Executar returns true when the answer's cStat is 107 (service in operation). The fields
// keep the last answer until the next Executar clears them; after a failure cStat is 0 and
// the texts are empty, with tpAmb and cUF taken from the configuration.
class TNFeStatusServico : public TNFeWebService {
 public:
  explicit TNFeStatusServico(TNivraNFe& AOwner);

  void Clear() override;

  const std::string& versao() const { return Fversao; }
  TkovTipoAmbiente tpAmb() const { return FtpAmb; }
  const std::string& verAplic() const { return FverAplic; }
  int32_t cStat() const { return FcStat; }
  const std::string& xMotivo() const { return FxMotivo; }
  int32_t cUF() const { return FcUF; }
  TDateTime dhRecbto() const { return FdhRecbto; }
  // The offset from UTC the answer wrote with dhRecbto ("-03:00"); empty when it wrote none.
  const std::string& FusoRecbto() const { return FFusoRecbto; }
  // Average response time of the authoriser, in seconds.
  int32_t TMed() const { return FTMed; }
  TDateTime dhRetorno() const { return FdhRetorno; }
  const std::string& xObs() const { return FxObs; }

 protected:
  void DefinirServicoEAction() override;
  void DefinirDadosMsg() override;
  // Reads retConsStatServ out of the answer. Returns true when cStat is 107. Throws
  // ExigirRetorno's ENivraNFeException for an answer without a complete retConsStatServ
  // holding a numeric cStat (cut short, or no answer at all); an answer without tpAmb keeps
  // the configured environment.
  bool TratarResposta() override;
  std::string MontarMsgLog() override;
  std::string MontarMsgErro(const std::exception& E) override;

 private:
  // The receipt time, one hour earlier when the SVRS authoriser answered with a clock that is
  // off by daylight saving the UF does not observe.
  TDateTime CorrigirRecebimento(TDateTime Recebido) const;

  std::string Fversao;
  TkovTipoAmbiente FtpAmb = TkovTipoAmbiente::taHomologacao;
  std::string FverAplic;
  int32_t FcStat = 0;
  std::string FxMotivo;
  int32_t FcUF = 0;
  TDateTime FdhRecbto = 0;
  std::string FFusoRecbto;
  int32_t FTMed = 0;
  TDateTime FdhRetorno = 0;
  std::string FxObs;
};

}  // namespace nivra
