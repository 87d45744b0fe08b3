// The NFC-e consumer links: the query page and the QR-code link with its SHA-1 hash. Expected
// hashes were computed independently of this code.
#include <gtest/gtest.h>

#include <string>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/fuso_horario.h"

namespace nivra {

namespace {

class QRCodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nfe.Configuracoes().WebServices().SetParams({
        "[NFCe_PR_H]",
        "URL-QRCode_4.00=http://nfce.pr.exemplo/qrcode",
        "URL-ConsultaNFCe_4.00=http://nfce.pr.exemplo/consulta",
        "[NFCe_RS_P]",
        "URL-QRCode=https://nfce.rs.exemplo/qr?p=1",
    });
    // A fixed time-zone suffix, whatever the host's zone.
    anterior.Assign(ConfiguracaoFusoHorario());
    ConfiguracaoFusoHorario().SetModoDeteccao(TTimeZoneModoDeteccao::tzManual);
    ConfiguracaoFusoHorario().SetTimeZoneStr("-03:00");
  }
  void TearDown() override { ConfiguracaoFusoHorario().Assign(anterior); }

  TNivraNFe nfe;
  TTimeZoneConf anterior;
  const TDateTime emissao = CodificarDataHora(2024, 3, 7, 10, 20, 30);
};

TEST_F(QRCodeTest, LinkOfAUFWithLowerCaseHexadecimal) {
  nfe.Configuracoes().Geral().SetIdCSC("1");
  nfe.Configuracoes().Geral().SetCSC("CSCPR");
  const std::string url = nfe.GetURLQRCode(41, TkovTipoAmbiente::taHomologacao,
                                           "4124-0312.3456/7800-0195650010000000011000000015",
                                           " 12345678909 ", emissao, 123.456, 0, "abc=", 4.00);
  EXPECT_EQ(url,
            "http://nfce.pr.exemplo/qrcode?"
            "chNFe=41240312345678000195650010000000011000000015&nVersao=100&tpAmb=2"
            "&cDest=12345678909"
            "&dhEmi=323032342d30332d30375431303a32303a33302d30333a3030"
            "&vNF=123.46&vICMS=0.00&digVal=6162633d&cIdToken=000001"
            "&cHashQRCode=97AC108D543A0957FBEF01DA6C2936CC345B725C");
}

TEST_F(QRCodeTest, AKeyWhoseIssuerCNPJHoldsLettersKeepsThem) {
  nfe.Configuracoes().Geral().SetIdCSC("1");
  nfe.Configuracoes().Geral().SetCSC("CSCPR");
  const std::string url = nfe.GetURLQRCode(41, TkovTipoAmbiente::taHomologacao,
                                           "4124 0312 ABC3 4501 DE35 6500 1000 0000 0110 0000 0016",
                                           "", emissao, 10, 0, "abc=", 4.00);
  EXPECT_EQ(url,
            "http://nfce.pr.exemplo/qrcode?"
            "chNFe=41240312ABC34501DE35650010000000011000000016&nVersao=100&tpAmb=2"
            "&dhEmi=323032342d30332d30375431303a32303a33302d30333a3030"
            "&vNF=10.00&vICMS=0.00&digVal=6162633d&cIdToken=000001"
            "&cHashQRCode=B6745BCF3A2351D028D5137939D7FE1AFF965FF2");
}

TEST_F(QRCodeTest, LinkWithoutRecipientOrCSCAndABaseThatHasAQuery) {
  nfe.Configuracoes().Geral().SetIdCSC("123");
  const std::string url = nfe.GetURLQRCode(43, TkovTipoAmbiente::taProducao,
                                           "43240312345678000195650010000000011000000015", "  ",
                                           emissao, 10, 1.8, "DV+/=", 4.00);
  EXPECT_EQ(url,
            "https://nfce.rs.exemplo/qr?p=1&"
            "chNFe=43240312345678000195650010000000011000000015&nVersao=100&tpAmb=1"
            "&dhEmi=323032342D30332D30375431303A32303A33302D30333A3030"
            "&vNF=10.00&vICMS=1.80&digVal=44562B2F3D&cIdToken=000123"
            "&cHashQRCode=A91C1E0D49B8BE000DDFDF772FBBA37B2DE8A93B");
}

TEST_F(QRCodeTest, ConsumerQueryPageOfTheUF) {
  EXPECT_EQ(nfe.GetURLConsultaNFCe(41, TkovTipoAmbiente::taHomologacao, 4.00),
            "http://nfce.pr.exemplo/consulta");
}

}  // namespace

}  // namespace nivra
