// The authorised NF-e the simulator's distribution hands out.
#include "tools/simulador/nfe_simulada.h"

#include <cstdlib>
#include <string>

#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

constexpr const char* kVerAplic = "SIMULADOR_1.0";

std::string Tag(const std::string& nome, const std::string& valor) {
  return "<" + nome + ">" + valor + "</" + nome + ">";
}

// Digits of `texto` without the zeros on the left ("0" for none).
std::string SemZerosAEsquerda(const std::string& texto) {
  const std::size_t inicio = texto.find_first_not_of('0');
  return inicio == std::string::npos ? "0" : texto.substr(inicio);
}

}  // namespace

std::string NFeProcessada(const std::string& chave, const std::string& emissao) {
  const std::string uf = CodigoUFParaSigla(std::atoi(chave.substr(0, 2).c_str()));
  const std::string assinatura = "c2ltdWxhZG8=";
  std::string totais;
  for (const std::string nome :
       {"vBC", "vICMS", "vICMSDeson", "vFCP", "vBCST", "vST", "vFCPST", "vFCPSTRet", "vProd",
        "vFrete", "vSeg", "vDesc", "vII", "vIPI", "vIPIDevol", "vPIS", "vCOFINS", "vOutro", "vNF"})
    totais += Tag(nome, nome == "vProd" || nome == "vNF" ? "100.00" : "0.00");
  return "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
         "<NFe><infNFe versao=\"4.00\" Id=\"NFe" +
         chave + "\"><ide>" + Tag("cUF", chave.substr(0, 2)) + Tag("cNF", chave.substr(35, 8)) +
         Tag("natOp", "VENDA") + Tag("mod", chave.substr(20, 2)) +
         Tag("serie", SemZerosAEsquerda(chave.substr(22, 3))) +
         Tag("nNF", SemZerosAEsquerda(chave.substr(25, 9))) + Tag("dhEmi", emissao) +
         Tag("tpNF", "1") + Tag("idDest", "1") + Tag("cMunFG", "4106902") + Tag("tpImp", "1") +
         Tag("tpEmis", chave.substr(34, 1)) + Tag("cDV", chave.substr(43, 1)) + Tag("tpAmb", "2") +
         Tag("finNFe", "1") + Tag("indFinal", "0") + Tag("indPres", "9") + Tag("procEmi", "0") +
         Tag("verProc", kVerAplic) + "</ide><emit>" + Tag("CNPJ", chave.substr(6, 14)) +
         Tag("xNome", "EMPRESA SIMULADA LTDA") + "<enderEmit>" + Tag("xLgr", "RUA SIMULADA") +
         Tag("nro", "1") + Tag("xBairro", "CENTRO") + Tag("cMun", "4106902") +
         Tag("xMun", "CURITIBA") + Tag("UF", uf.empty() ? "PR" : uf) + Tag("CEP", "80000000") +
         "</enderEmit>" + Tag("IE", "1234567890") + Tag("CRT", "1") +
         "</emit><det nItem=\"1\"><prod>" + Tag("cProd", "1") + Tag("cEAN", "SEM GTIN") +
         Tag("xProd", "PRODUTO SIMULADO") + Tag("NCM", "00000000") + Tag("CFOP", "5102") +
         Tag("uCom", "UN") + Tag("qCom", "1.0000") + Tag("vUnCom", "100.00") +
         Tag("vProd", "100.00") + Tag("cEANTrib", "SEM GTIN") + Tag("uTrib", "UN") +
         Tag("qTrib", "1.0000") + Tag("vUnTrib", "100.00") + Tag("indTot", "1") +
         "</prod><imposto><ICMS><ICMSSN102><orig>0</orig><CSOSN>102</CSOSN></ICMSSN102></ICMS>"
         "<PIS><PISNT><CST>07</CST></PISNT></PIS><COFINS><COFINSNT><CST>07</CST></COFINSNT>"
         "</COFINS></imposto></det><total><ICMSTot>" +
         totais +
         "</ICMSTot></total><transp><modFrete>9</modFrete></transp><pag><detPag><tPag>01</tPag>"
         "<vPag>100.00</vPag></detPag></pag></infNFe><Signature "
         "xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo><CanonicalizationMethod "
         "Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/><SignatureMethod "
         "Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/><Reference URI=\"#NFe" +
         chave +
         "\"><Transforms><Transform "
         "Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\"/><Transform "
         "Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/></Transforms>"
         "<DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>" +
         Tag("DigestValue", assinatura) + "</Reference></SignedInfo>" +
         Tag("SignatureValue", assinatura) + "<KeyInfo><X509Data>" +
         Tag("X509Certificate", assinatura) + "</X509Data></KeyInfo></Signature></NFe>" +
         "<protNFe versao=\"4.00\"><infProt>" + Tag("tpAmb", "2") + Tag("verAplic", kVerAplic) +
         Tag("chNFe", chave) + Tag("dhRecbto", emissao) + Tag("nProt", "141000000000003") +
         Tag("digVal", assinatura) + Tag("cStat", "100") +
         Tag("xMotivo", "Autorizado o uso da NF-e") + "</infProt></protNFe></nfeProc>";
}

}  // namespace nivra
