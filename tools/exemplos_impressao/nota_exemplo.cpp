// The example invoice.
#include "tools/exemplos_impressao/nota_exemplo.h"

#include <string>

namespace nivra {

namespace {

const char* const kProdutos[] = {"Parafuso sextavado M8 x 40 zincado", "Porca sextavada M8",
                                 "Arruela lisa 8 mm", "Chave combinada 13 mm cromo vanádio",
                                 "Fita veda-rosca 18 mm x 25 m"};

void Item(nfe::TinfNFe& n, int numero) {
  nfe::Tdet& det = n.det.emplace_back();
  det.nItem = std::to_string(numero);
  nfe::Tprod& p = det.prod;
  p.cProd = "PR-" + std::to_string(1000 + numero);
  p.cEAN = p.cEANTrib = "SEM GTIN";
  p.xProd = kProdutos[numero % 5];
  if (numero % 9 == 0)
    det.infAdProd = "Lote " + std::to_string(2026000 + numero) + ", validade 12/2030";
  p.NCM = "73181500";
  p.CFOP = "5102";
  p.uCom = p.uTrib = "UN";
  p.qCom = p.qTrib = TDecimal(numero % 4 + 1);
  p.vUnCom = p.vUnTrib = TDecimal("2.35") * TDecimal(numero % 7 + 1);
  p.vProd = (p.qCom * p.vUnCom).Arredondado(2);
  p.indTot = "1";
  const TDecimal icms = (p.vProd * TDecimal("0.18")).Arredondado(2);
  nfe::TICMS_IPI tributos;
  tributos.ICMS.escolha = nfe::TICMS00{"0", "00", "3", p.vProd, "18", icms, std::nullopt};
  det.imposto.ICMS_IPI = tributos;
  det.imposto.vTotTrib = (p.vProd * TDecimal("0.31")).Arredondado(2);
  det.imposto.PIS.emplace().escolha = nfe::TPISNT{"07"};
  det.imposto.COFINS.emplace().escolha = nfe::TCOFINSNT{"07"};
  nfe::TICMSTot& t = n.total.ICMSTot;
  t.vBC += p.vProd;
  t.vICMS += icms;
  t.vProd += p.vProd;
  t.vNF += p.vProd;
  t.vTotTrib += det.imposto.vTotTrib;
}

}  // namespace

TNFeLida NotaExemplo(int itens, const char* modelo) {
  const bool nfce = std::string(modelo) == "65";
  TNFeLida lida;
  nfe::TinfNFe& n = lida.NFe.infNFe;
  n.ide = {};
  n.ide.cUF = "41";
  n.ide.natOp = "VENDA DE MERCADORIA ADQUIRIDA DE TERCEIROS";
  n.ide.mod = modelo;
  n.ide.serie = "1";
  n.ide.nNF = "4512";
  n.ide.dhEmi = "2026-12-10T09:30:00-03:00";
  n.ide.dhSaiEnt = nfce ? "" : "2026-12-10T14:00:00-03:00";
  n.ide.tpNF = "1";
  n.ide.idDest = "1";
  n.ide.cMunFG = "4106902";
  n.ide.tpImp = nfce ? "4" : "1";
  n.ide.tpEmis = "1";
  n.ide.tpAmb = "2";
  n.ide.finNFe = "1";
  n.ide.indFinal = nfce ? "1" : "0";
  n.ide.indPres = "1";
  n.ide.procEmi = "0";
  n.ide.verProc = "nivra 1.0";

  n.emit.CNPJ_CPF = nfe::TCNPJ{"12ABC34501DE35"};
  n.emit.xNome = "Comércio de Ferragens Araucária Ltda";
  n.emit.enderEmit = {"Rua XV de Novembro", "1250", "Loja 3",   "Centro", "4106902",
                      "Curitiba",           "PR",   "80020310", "1058",   "Brasil",
                      "4133221100"};
  n.emit.IE = "9012345678";
  n.emit.CRT = "3";

  if (!nfce) {
    auto& d = n.dest.emplace();
    d.CNPJ_CPF_idEstrangeiro = nfe::TCNPJ{"11222333000181"};
    d.xNome = "Construtora Pinheiral S.A.";
    d.enderDest = nfe::TenderDest{"Avenida Sete de Setembro",
                                  "4200",
                                  "Bloco B",
                                  "Batel",
                                  "4106902",
                                  "Curitiba",
                                  "PR",
                                  "80240000",
                                  "1058",
                                  "Brasil",
                                  "4130304040"};
    d.indIEDest = "1";
    d.IE = "1020304050";
  }
  nfe::TICMSTot& t = n.total.ICMSTot;
  for (TDecimal* zero :
       {&t.vBC,       &t.vICMS, &t.vICMSDeson, &t.vFCP,   &t.vBCST, &t.vST,     &t.vFCPST,
        &t.vFCPSTRet, &t.vProd, &t.vFrete,     &t.vSeg,   &t.vDesc, &t.vII,     &t.vIPI,
        &t.vIPIDevol, &t.vPIS,  &t.vCOFINS,    &t.vOutro, &t.vNF,   &t.vTotTrib})
    *zero = TDecimal("0.00");
  for (int i = 1; i <= itens; ++i) Item(n, i);

  n.transp.modFrete = nfce ? "9" : "0";
  if (!nfce) {
    auto& r = n.transp.transporta.emplace();
    r.CNPJ_CPF = nfe::TCNPJ{"11444777000161"};
    r.xNome = "Transportes Rodovia Sul Ltda";
    r.IE = "5566778899";
    r.xEnder = "Rodovia BR-116, km 98";
    r.xMun = "São José dos Pinhais";
    r.UF = "PR";
    auto& v = n.transp.vol.emplace_back();
    v.qVol = "3";
    v.esp = "CAIXA";
    v.marca = "ARAUCÁRIA";
    v.pesoL = "42.500";
    v.pesoB = "45.120";
    auto& c = n.cobr.emplace();
    for (int i = 1; i <= 3; ++i) {
      auto& dup = c.dup.emplace_back();
      dup.nDup = "00" + std::to_string(i);
      dup.dVenc = "2027-0" + std::to_string(i) + "-10";
      dup.vDup = (t.vNF * TDecimal("0.3333")).Arredondado(2);
    }
  }
  auto& pagamento = n.pag.detPag.emplace_back();
  pagamento.tPag = nfce ? "01" : "15";
  pagamento.vPag = nfce ? TDecimal("500.00") : t.vNF;
  if (nfce) n.pag.vTroco = TDecimal("500.00") - t.vNF;
  n.infAdic.emplace().infCpl =
      "Pedido de compra 88231. Entrega no canteiro de obras, portaria 2, das 8h às 17h. "
      "Mercadoria conferida na presença do transportador.";

  const std::string chave = ComporChaveNFe(lida.NFe, [] { return 31415926U; });
  if (nfce)
    lida.NFe.infNFeSupl = nfe::TinfNFeSupl{"https://www.fazenda.pr.gov.br/nfce/qrcode?p=" + chave +
                                               "|2|2|1|5a1e9b0c33d2f4a6b8c7d9e0f1a2b3c4d5e6f708",
                                           "http://www.fazenda.pr.gov.br/nfce/consulta"};
  auto& prot = lida.protNFe.emplace().infProt;
  prot.tpAmb = "2";
  prot.chNFe = chave;
  prot.dhRecbto = "2026-12-10T09:30:04-03:00";
  prot.nProt = "141260000045120";
  prot.cStat = "100";
  prot.xMotivo = "Autorizado o uso da NF-e";
  return lida;
}

}  // namespace nivra
