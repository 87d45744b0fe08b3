// The status request document "consStatServ", written with the XML generator.
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/util/enumeracoes.h"
#include "nivranfe/xml/gerador.h"

namespace nivra {

class TConsStatServ {
 public:
  TConsStatServ() = default;
  TConsStatServ(const TConsStatServ&) = delete;
  TConsStatServ& operator=(const TConsStatServ&) = delete;
  ~TConsStatServ() = default;

  // Clears the generator's text and writes the document into it. Returns true when the
  // generator recorded no alert. Throws only what the generator throws.
  bool GerarXML();

  // The current local date and time as yyyymmddhhnnss followed by "-ped-sta.xml".
  std::string ObterNomeArquivo() const;

  // The generator that holds the produced text and its alerts; owned by this document.
  TGerador& Gerador() { return FGerador; }

  TkovTipoAmbiente tpAmb() const { return FtpAmb; }
  void SettpAmb(TkovTipoAmbiente valor) { FtpAmb = valor; }
  int32_t cUF() const { return FcUF; }
  void SetcUF(int32_t valor) { FcUF = valor; }
  // Layout version written into the attribute versao, e.g. "4.00".
  const std::string& Versao() const { return FVersao; }
  void SetVersao(const std::string& valor) { FVersao = valor; }

 private:
  TGerador FGerador;
  TkovTipoAmbiente FtpAmb = TkovTipoAmbiente::taProducao;
  int32_t FcUF = 0;
  std::string FVersao;
};

}  // namespace nivra
