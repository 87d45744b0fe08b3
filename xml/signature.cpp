// TSignature: the NF-e signature element through the XML generator.
#include "nivranfe/xml/signature.h"

#include <cstdint>

namespace nivra {

namespace {

constexpr const char* kC14N = "http://www.w3.org/TR/2001/REC-xml-c14n-20010315";
// The largest size the generator checks.
constexpr int16_t kMaxCertificado = INT16_MAX;

}  // namespace

TSignature::TSignature() : FGerador(std::make_unique<TGerador>()) {}

TSignature::~TSignature() = default;

void TSignature::Assign(const TSignature& Source) {
  FURI = Source.FURI;
  FDigestValue = Source.FDigestValue;
  FSignatureValue = Source.FSignatureValue;
  FX509Certificate = Source.FX509Certificate;
}

void TSignature::Clear() {
  FURI.clear();
  FDigestValue.clear();
  FSignatureValue.clear();
  FX509Certificate.clear();
}

bool TSignature::GerarXML() {
  TGerador& g = *FGerador;
  const std::string transformC14N = std::string("Transform Algorithm=\"") + kC14N + "\"";
  g.SetArquivoFormatoXML("");
  g.Opcoes().SetTagVaziaNoFormatoResumido(false);
  g.SetIgnorarTagIdentacao("|Reference URI|SignatureMethod|" + transformC14N +
                           "|/Transforms|/Reference|");

  g.wGrupo("Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"", "XS01");
  g.wGrupo("SignedInfo", "XS02");
  g.wGrupo(std::string("CanonicalizationMethod Algorithm=\"") + kC14N + "\"/", "XS03");
  g.wGrupo("SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/", "XS05");
  g.wGrupo("Reference URI=\"#NFe" + FURI + "\"", "XS07");
  g.wGrupo("Transforms", "XS10");
  g.wGrupo("Transform Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\"/",
           "SX12");
  g.wGrupo(transformC14N + "/", "SX12");
  g.wGrupo("/Transforms");
  g.wGrupo("DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/", "XS15");
  g.wCampo(TkovTipoCampo::tcStr, "XS17", "DigestValue", 0, 999, 1, FDigestValue, "Digest Value",
           false);
  g.wGrupo("/Reference");
  g.wGrupo("/SignedInfo");
  g.wCampo(TkovTipoCampo::tcStr, "XS18", "SignatureValue", 0, 999, 1, FSignatureValue,
           "Signature Value", false);
  g.wGrupo("KeyInfo", "XS19");
  g.wGrupo("X509Data", "XS20");
  // An ICP-Brasil certificate in Base64 runs to some 2000 characters.
  g.wCampo(TkovTipoCampo::tcStr, "XS21", "X509Certificate", 0, kMaxCertificado, 1, FX509Certificate,
           "X509 Certificate", false);
  g.wGrupo("/X509Data");
  g.wGrupo("/KeyInfo");
  g.wGrupo("/Signature");
  return g.ListaDeAlertas().empty();
}

}  // namespace nivra
