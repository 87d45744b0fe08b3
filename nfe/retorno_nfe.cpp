// Reads the answer documents of the NF-e services.
#include "nivranfe/nfe/retorno_nfe.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "nivranfe/util/compactacao.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_bem_formado.h"
#include "nivranfe/util/xml_texto.h"
#include "nivranfe/xml/leitor.h"
#include "nivranfe/xml/valor_campo.h"

namespace nivra {

namespace {

int32_t Inteiro(const std::string& texto) {
  const std::string digitos = SomenteDigitos(texto);
  return digitos.empty() || digitos.size() > 9 ? 0 : std::stoi(digitos);
}

// The trimmed content of the first Tag of the element with its entities decoded, for display;
// empty when missing.
std::string Campo(const std::string& elemento, const std::string& tag) {
  return ConverterEntidadesXML(Aparar(ConteudoDaTag(elemento, tag, false)));
}

std::string Atributo(const std::string& elemento, const std::string& nome) {
  const std::string chave = " " + nome + "=\"";
  const std::size_t fimTag = elemento.find('>');
  const std::size_t inicio = elemento.find(chave);
  if (inicio == std::string::npos || inicio > fimTag) return {};
  const std::size_t valor = inicio + chave.size();
  return elemento.substr(valor, elemento.find('"', valor) - valor);
}

TRetEventoRetorno LerRetEvento(const std::string& elemento) {
  TRetEventoRetorno r;
  r.XML = elemento;
  // A procEventoNFe holds the event and its answer; the answer's fields are in retEvento.
  const std::string ret = ConteudoDaTag(elemento, "retEvento", true);
  const std::string& origem = ret.empty() ? elemento : ret;
  r.Id = Atributo(ConteudoDaTag(origem, "infEvento", true), "Id");
  r.chNFe = Campo(origem, "chNFe");
  r.tpEvento = Campo(origem, "tpEvento");
  r.nSeqEvento = Inteiro(Campo(origem, "nSeqEvento"));
  r.cStat = Inteiro(Campo(origem, "cStat"));
  r.xMotivo = Campo(origem, "xMotivo");
  r.nProt = Campo(origem, "nProt");
  return r;
}

// The fields of a taxpayer, in the layout's order, the address (ender) flattened.
constexpr const char* kCamposCadastro[] = {
    "IE",    "CNPJ",     "CPF",  "UF",       "cSit",    "indCredNFe", "indCredCTe", "xNome",
    "xFant", "xRegApur", "CNAE", "dIniAtiv", "dUltSit", "dBaixa",     "IEUnica",    "IEAtual",
    "xLgr",  "nro",      "xCpl", "xBairro",  "cMun",    "xMun",       "CEP"};

TInfCadRetorno LerInfCad(const std::string& elemento) {
  TInfCadRetorno campos;
  for (const char* nome : kCamposCadastro)
    if (std::string valor = Campo(elemento, nome); !valor.empty())
      campos.emplace_back(nome, std::move(valor));
  return campos;
}

std::string EmMiB(std::size_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

// Unzips one document within what is left of the answer's limit (restante), which it reduces.
TDocZipRetorno LerDocZip(const std::string& elemento, std::size_t& restante) {
  TDocZipRetorno d{Atributo(elemento, "NSU"), Atributo(elemento, "schema"), {}, {}};
  const std::size_t inicio = elemento.find('>');
  const std::size_t fim = elemento.rfind("</");
  const std::size_t limite = std::min(kLimiteDocZip, restante);
  try {
    d.XML = DescompactarBase64(elemento.substr(inicio + 1, fim - inicio - 1), limite);
    restante -= d.XML.size();
    if (!XMLBemFormado(d.XML)) {
      d.XML.clear();
      d.Erro = "Documento NSU " + d.NSU + " recusado: não é XML bem formado";
    }
  } catch (const TDescompactadoExcedeLimite&) {
    d.Erro =
        "Documento NSU " + d.NSU + " recusado: descompactado excede " +
        (limite == kLimiteDocZip ? EmMiB(kLimiteDocZip)
                                 : "o limite de " + EmMiB(kLimiteDocZipResposta) + " da resposta");
  } catch (const std::exception& e) {
    d.Erro = "Documento NSU " + d.NSU + " não pôde ser descompactado: " + e.what();
  }
  return d;
}

// ElementosXML without the elements that are not well-formed on their own (a nested element of
// the same name cuts its parent short).
std::vector<std::string> ElementosBemFormados(const std::string& Texto, const std::string& Nome) {
  std::vector<std::string> elementos = ElementosXML(Texto, Nome);
  std::erase_if(elementos, [](const std::string& e) { return !XMLBemFormado(e); });
  return elementos;
}

}  // namespace

std::vector<std::string> ElementosXML(const std::string& Texto, const std::string& Nome) {
  std::vector<std::string> elementos;
  for (const std::string prefixo : {"", "ns2:"}) {
    const std::string abre = "<" + prefixo + Nome;
    const std::string fecha = "</" + prefixo + Nome + ">";
    std::size_t pos = 0;
    while ((pos = Texto.find(abre, pos)) != std::string::npos) {
      const char seguinte = pos + abre.size() < Texto.size() ? Texto[pos + abre.size()] : '\0';
      if (seguinte != '>' && seguinte != ' ') {
        pos += abre.size();
        continue;
      }
      const std::size_t fim = Texto.find(fecha, pos);
      if (fim == std::string::npos) break;
      elementos.push_back(Texto.substr(pos, fim + fecha.size() - pos));
      pos = fim + fecha.size();
    }
    if (!elementos.empty()) break;
  }
  return elementos;
}

std::string XMLDaResposta(const std::string& Resultado, const std::string& Raiz) {
  const bool escapada = ConteudoDaTag(Resultado, Raiz, true).empty();
  return EntidadesXMLPredefinidas(escapada ? DesescaparXML(Resultado) : Resultado);
}

void ExigirRetorno(const std::string& Texto, const std::string& Raiz) {
  const std::string elemento = ConteudoDaTag(Texto, Raiz, true);
  if (elemento.empty())
    throw ENivraNFeException("Resposta inválida do autorizador: elemento \"" + Raiz +
                             "\" ausente ou incompleto");
  if (!XMLBemFormado(elemento))
    throw ENivraNFeException("Resposta inválida do autorizador: \"" + Raiz +
                             "\" não é XML bem formado");
  const std::string cStat = Aparar(ConteudoDaTag(elemento, "cStat", false));
  if (cStat.empty() || cStat.size() > 9 || SomenteDigitos(cStat) != cStat)
    throw ENivraNFeException("Resposta inválida do autorizador: \"" + Raiz +
                             "\" sem cStat numérico");
}

std::string FusoDaDataHora(const std::string& DataHora) {
  const std::string texto = Aparar(DataHora);
  if (texto.size() < 6) return {};
  const std::string fuso = texto.substr(texto.size() - 6);
  const bool formato = (fuso[0] == '+' || fuso[0] == '-') && fuso[3] == ':' &&
                       SomenteDigitos(fuso) == fuso.substr(1, 2) + fuso.substr(4, 2);
  return formato ? fuso : std::string();
}

bool TRetornoNFe::LerXml(const std::string& Texto, const std::string& Raiz) {
  XML = ConteudoDaTag(Texto, Raiz, true);
  if (XML.empty()) return false;
  protNFe.clear();
  retEvento.clear();
  docZip.clear();
  infCad.clear();
  versao = Atributo(XML, "versao");
  bool ok = false;
  const TkovTipoAmbiente ambiente = TextoParaTipoAmbiente(ok, Campo(XML, "tpAmb"));
  if (ok) tpAmb = ambiente;
  verAplic = Campo(XML, "verAplic");
  cStat = Inteiro(Campo(XML, "cStat"));
  xMotivo = Campo(XML, "xMotivo");
  cUF = Inteiro(Campo(XML, "cUF"));
  tMed = Inteiro(Campo(XML, "tMed"));
  nRec = Campo(XML, "nRec");
  cMsg = Campo(XML, "cMsg");
  xMsg = Campo(XML, "xMsg");
  chNFe = Campo(XML, "chNFe");
  nProt = Campo(XML, "nProt");
  Id = Atributo(ConteudoDaTag(XML, "infInut", true), "Id");
  ultNSU = Campo(XML, "ultNSU");
  maxNSU = Campo(XML, "maxNSU");
  // Only whole elements are kept: what is attached or saved from them must stay well-formed.
  for (const std::string& e : ElementosBemFormados(XML, "protNFe"))
    protNFe.push_back({Campo(e, "chNFe"), Campo(e, "nProt"), Campo(e, "digVal"),
                       Inteiro(Campo(e, "cStat")), Campo(e, "xMotivo"), e});
  for (const std::string& e : ElementosBemFormados(XML, "procEventoNFe"))
    retEvento.push_back(LerRetEvento(e));
  if (retEvento.empty())
    for (const std::string& e : ElementosBemFormados(XML, "retEvento"))
      retEvento.push_back(LerRetEvento(e));
  std::size_t restante = kLimiteDocZipResposta;
  for (const std::string& e : ElementosXML(XML, "docZip")) docZip.push_back(LerDocZip(e, restante));
  for (const std::string& e : ElementosXML(XML, "infCad")) infCad.push_back(LerInfCad(e));
  retCancNFe = ConteudoDaTag(XML, "retCancNFe", true);
  if (!XMLBemFormado(retCancNFe)) retCancNFe.clear();
  try {
    TLeitor leitor;
    leitor.SetGrupo(XML);
    // Events name it dhRegEvento, the distribution dhResp, the registration query dhCons.
    for (const char* nome : {"dhRecbto", "dhRegEvento", "dhResp", "dhCons"}) {
      dhRecbto = VarianteParaDataHora(leitor.rCampo(TkovTipoCampo::tcDatHor, nome));
      FusoRecbto = FusoDaDataHora(ConteudoDaTag(XML, nome, false));
      if (dhRecbto != 0) break;
    }
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace nivra
