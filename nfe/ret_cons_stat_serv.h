// The status answer document "retConsStatServ", read with the XML reader.
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/util/datahora.h"
#include "nivranfe/util/enumeracoes.h"
#include "nivranfe/xml/leitor.h"

namespace nivra {

class TRetConsStatServ {
 public:
  TRetConsStatServ() = default;
  TRetConsStatServ(const TRetConsStatServ&) = delete;
  TRetConsStatServ& operator=(const TRetConsStatServ&) = delete;
  ~TRetConsStatServ() = default;

  // Reads the text placed in Leitor().Arquivo. Returns true when "retConsStatServ" was found
  // and every field was read; false otherwise, also when reading failed (never throws). The
  // fields read before a failure keep their values.
  bool LerXml();

  // The reader over the answer text; owned by this document.
  TLeitor& Leitor() { return FLeitor; }

  const std::string& versao() const { return Fversao; }
  TkovTipoAmbiente tpAmb() const { return FtpAmb; }
  const std::string& verAplic() const { return FverAplic; }
  int32_t cStat() const { return FcStat; }
  const std::string& xMotivo() const { return FxMotivo; }
  int32_t cUF() const { return FcUF; }
  TDateTime dhRecbto() const { return FdhRecbto; }
  int32_t tMed() const { return FtMed; }
  TDateTime dhRetorno() const { return FdhRetorno; }
  const std::string& xObs() const { return FxObs; }

 private:
  void LerCampos();

  TLeitor FLeitor;
  std::string Fversao;
  TkovTipoAmbiente FtpAmb = TkovTipoAmbiente::taProducao;
  std::string FverAplic;
  int32_t FcStat = 0;
  std::string FxMotivo;
  int32_t FcUF = 0;
  TDateTime FdhRecbto = 0;
  int32_t FtMed = 0;
  TDateTime FdhRetorno = 0;
  std::string FxObs;
};

}  // namespace nivra
