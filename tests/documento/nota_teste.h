// A complete NF-e of one item built from the model, the base the document tests vary.
#pragma once

#include "nivranfe/documento/documento_nfe.h"

namespace nivra {

inline nfe::TNFe NotaDeTeste() {
  nfe::TNFe nota;
  auto& ide = nota.infNFe.ide;
  ide.cUF = "41";
  ide.natOp = "VENDA DE MERCADORIA";
  ide.mod = "55";
  ide.serie = "1";
  ide.nNF = "123";
  ide.dhEmi = "2026-12-10T09:30:00-03:00";
  ide.tpNF = "1";
  ide.idDest = "1";
  ide.cMunFG = "4106902";
  ide.tpImp = "1";
  ide.tpEmis = "1";
  ide.tpAmb = "2";
  ide.finNFe = "1";
  ide.indFinal = "0";
  ide.indPres = "1";
  ide.procEmi = "0";
  ide.verProc = "nivra 1.0";

  auto& emit = nota.infNFe.emit;
  emit.CNPJ_CPF = nfe::TCNPJ{"12ABC34501DE35"};
  emit.xNome = "Comércio de Peças & Cia Ltda";
  emit.enderEmit = {"Rua das Flores", "100",  "",       "Centro", "4106902", "Curitiba", "PR",
                    "80010000",       "1058", "Brasil", ""};
  emit.IE = "1234567890";
  emit.CRT = "3";

  auto& dest = nota.infNFe.dest.emplace();
  dest.CNPJ_CPF_idEstrangeiro = nfe::TCNPJ{"11222333000181"};
  dest.xNome = "Cliente Exemplo SA";
  dest.enderDest = nfe::TenderDest{"Av. Brasil", "2000",     "", "Batel", "4106902", "Curitiba",
                                   "PR",         "80420000", "", "",      ""};
  dest.indIEDest = "9";

  auto& det = nota.infNFe.det.emplace_back();
  det.nItem = "1";
  auto& prod = det.prod;
  prod.cProd = "001";
  prod.cEAN = "SEM GTIN";
  prod.xProd = "Parafuso sextavado";
  prod.NCM = "73181500";
  prod.CFOP = "5102";
  prod.uCom = "UN";
  prod.qCom = "3";
  prod.vUnCom = "0.1";
  prod.vProd = TDecimal("0.1") + TDecimal("0.2");
  prod.cEANTrib = "SEM GTIN";
  prod.uTrib = "UN";
  prod.qTrib = "3";
  prod.vUnTrib = "0.1";
  prod.indTot = "1";
  nfe::TICMS_IPI tributos;
  tributos.ICMS.escolha = nfe::TICMS00{"0", "00", "3", "0.3", "18", "0.05", std::nullopt};
  det.imposto.ICMS_IPI = tributos;
  det.imposto.PIS.emplace().escolha = nfe::TPISNT{"07"};
  det.imposto.COFINS.emplace().escolha = nfe::TCOFINSNT{"07"};

  auto& tot = nota.infNFe.total.ICMSTot;
  for (TDecimal* zero : {&tot.vICMSDeson, &tot.vFCP, &tot.vBCST, &tot.vST, &tot.vFCPST,
                         &tot.vFCPSTRet, &tot.vFrete, &tot.vSeg, &tot.vDesc, &tot.vII, &tot.vIPI,
                         &tot.vIPIDevol, &tot.vPIS, &tot.vCOFINS, &tot.vOutro}) {
    *zero = 0;
  }
  tot.vBC = "0.3";
  tot.vICMS = "0.05";
  tot.vProd = prod.vProd;
  tot.vNF = prod.vProd;

  nota.infNFe.transp.modFrete = "9";
  auto& pagamento = nota.infNFe.pag.detPag.emplace_back();
  pagamento.tPag = "01";
  pagamento.vPag = tot.vNF;
  return nota;
}

}  // namespace nivra
