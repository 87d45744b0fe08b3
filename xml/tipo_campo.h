// Field types shared by the XML generator and the XML reader.
#pragma once

namespace nivra {

// How a field value is formatted when written and converted when read.
enum class TkovTipoCampo {
  tcStr,
  tcInt,
  tcDat,
  tcDatHor,
  tcEsp,
  tcDe2,
  tcDe3,
  tcDe4,
  tcDe10,
  tcHor,
  tcDe6,
  tcDatCFe,
  tcHorCFe,
  tcDatVcto,
  tcDatHorCFe,
  tcBoolStr,
  tcStrOrig,
  tcNumStr
};

}  // namespace nivra
