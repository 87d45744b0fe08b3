// The XML reader: groups, fields and attributes found by substring search.
#include "nivranfe/xml/leitor.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>
#include <string_view>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/numeros.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/texto_arquivo.h"
#include "nivranfe/util/xml_texto.h"
#include "nivranfe/xml/valor_campo.h"

namespace nivra {

namespace {

constexpr auto npos = std::string_view::npos;

// The end (one past the ">") of the first closing tag "</S>" or, failing that, of the first
// prefixed one "</S:name>" in texto; npos when there is neither.
size_t FimDoFechamento(std::string_view texto, const std::string& S) {
  const std::string simples = "</" + S + ">";
  size_t pos = texto.find(simples);
  if (pos != npos) return pos + simples.size();
  const std::string prefixado = "</" + S + ":";
  pos = texto.find(prefixado);
  if (pos == npos) return npos;
  const size_t maior = texto.find('>', pos + prefixado.size());
  return maior == npos ? pos + prefixado.size() : maior + 1;
}

// The first start tag of T: "<T>", else "<T " (with attributes), else "<T:".
size_t InicioDoGrupo(std::string_view texto, const std::string& T) {
  for (const char depois : {'>', ' ', ':'}) {
    const size_t pos = texto.find("<" + T + depois);
    if (pos != npos) return pos;
  }
  return npos;
}

// Where the parts of a date or time type stand in the text (1-based, 0 = absent).
struct TPosicoesDataHora {
  TkovTipoCampo Tipo;
  int Ano, Mes, Dia, Hora, Minuto, Segundo;
};

constexpr TPosicoesDataHora kPosicoes[] = {
    {TkovTipoCampo::tcDat, 1, 6, 9, 0, 0, 0},
    {TkovTipoCampo::tcDatHor, 1, 6, 9, 12, 15, 18},
    {TkovTipoCampo::tcHor, 0, 0, 0, 1, 4, 7},
    {TkovTipoCampo::tcDatCFe, 1, 5, 7, 0, 0, 0},
    {TkovTipoCampo::tcHorCFe, 0, 0, 0, 1, 3, 5},
    {TkovTipoCampo::tcDatVcto, 7, 4, 1, 0, 0, 0},
    {TkovTipoCampo::tcDatHorCFe, 1, 5, 7, 9, 11, 13},
};

// The number written at the 1-based position (tamanho characters, fewer at the end of the
// text); padrao when the position is 0; empty when it is not a run of digits.
std::optional<int> ParteNumerica(std::string_view texto, int posicao, size_t tamanho, int padrao) {
  if (posicao == 0) return padrao;
  const auto inicio = static_cast<size_t>(posicao - 1);
  if (inicio >= texto.size()) return std::nullopt;
  const std::string_view parte = texto.substr(inicio, tamanho);
  if (!TextoSoDeDigitos(parte)) return std::nullopt;
  int numero = 0;
  std::from_chars(parte.data(), parte.data() + parte.size(), numero);
  return numero;
}

// The date-time written in conteudo by position for the date or time type; the null date
// for an empty content. Throws when the parts are not numbers or not a real date and time.
TDateTime LerDataHora(TkovTipoCampo Tipo, const std::string& TAG, const std::string& conteudo) {
  if (conteudo.empty()) return 0;
  for (const TPosicoesDataHora& p : kPosicoes) {
    if (p.Tipo != Tipo) continue;
    const auto ano = ParteNumerica(conteudo, p.Ano, 4, 1899);
    const auto mes = ParteNumerica(conteudo, p.Mes, 2, 12);
    const auto dia = ParteNumerica(conteudo, p.Dia, 2, 30);
    const auto hora = ParteNumerica(conteudo, p.Hora, 2, 0);
    const auto minuto = ParteNumerica(conteudo, p.Minuto, 2, 0);
    const auto segundo = ParteNumerica(conteudo, p.Segundo, 2, 0);
    if (ano && mes && dia && hora && minuto && segundo) {
      if (const auto data = DataHoraValida(*ano, *mes, *dia, *hora, *minuto, *segundo)) {
        return *data;
      }
    }
    break;
  }
  throw ENivraDFeException("Tag <" + TAG + "> com data ou hora inválida: " + conteudo);
}

// The decimal integer of the digits of the content; 0 when none or beyond 32 bits.
int32_t LerInteiro(const std::string& conteudo) {
  const std::string digitos = SomenteDigitos(conteudo);
  int32_t numero = 0;
  const auto [fim, erro] = std::from_chars(digitos.data(), digitos.data() + digitos.size(), numero);
  return erro == std::errc() ? numero : 0;
}

}  // namespace

std::string TLeitor::rExtrai(int32_t nivel, const std::string& TagInicio, const std::string& TagFim,
                             int32_t item) {
  if (nivel < 1 || nivel >= kNiveis) {
    throw ENivraDFeException("Nível " + std::to_string(nivel) +
                             " fora dos limites da lista de níveis (1 a 9)");
  }
  FNivel[0] = FArquivo;
  FGrupo.clear();
  const std::string T = Aparar(TagInicio);
  std::string S = Aparar(TagFim);
  if (S.empty()) S = T;

  std::string_view texto = FNivel[static_cast<size_t>(nivel - 1)];
  for (int32_t i = 1; i < item && !texto.empty(); ++i) {
    const size_t fim = FimDoFechamento(texto, S);
    texto = fim == npos ? std::string_view() : texto.substr(fim);
  }
  // Only a start tag before the first closing tag can open the wanted group.
  const size_t corte = FimDoFechamento(texto, S);
  texto = texto.substr(0, corte == npos ? S.size() + 3 : corte);

  const size_t inicio = InicioDoGrupo(texto, T);
  if (inicio == npos) return {};
  texto = texto.substr(inicio);
  const size_t fim = FimDoFechamento(texto, S);
  // Without its closing tag, the group is cut short after as many characters as "<S>".
  std::string grupo = Aparar(texto.substr(0, fim == npos ? S.size() + 2 : fim));
  FNivel[static_cast<size_t>(nivel)] = grupo;
  FGrupo = grupo;
  return grupo;
}

TVariante TLeitor::rCampo(TkovTipoCampo Tipo, const std::string& TAG,
                          const std::string& TAGparada) {
  const std::string tag = Maiusculas(Aparar(TAG));
  // Upper-casing a to z keeps every byte in place, so positions in G hold in Grupo.
  const std::string G = Maiusculas(FGrupo);
  const std::string abertura = "<" + tag + ">";
  std::string conteudo;
  const size_t F = G.find(abertura);
  if (F != npos) {
    size_t P = F;
    const std::string parada = Maiusculas(Aparar(TAGparada));
    if (!parada.empty()) P = std::min(P, G.find("<" + parada + ">"));
    const size_t inicio = F + abertura.size();
    const size_t fecha = G.find("</" + tag + ">");
    if (F <= P && fecha != npos && fecha >= inicio) {
      conteudo = Aparar(std::string_view(FGrupo).substr(inicio, fecha - inicio));
    }
  }

  switch (Tipo) {
    case TkovTipoCampo::tcStr:
      return DecodificarEntidadesLeitura(conteudo);
    case TkovTipoCampo::tcEsp:
      return conteudo;
    case TkovTipoCampo::tcInt:
      return int64_t{LerInteiro(conteudo)};
    case TkovTipoCampo::tcDe2:
    case TkovTipoCampo::tcDe3:
    case TkovTipoCampo::tcDe4:
    case TkovTipoCampo::tcDe6:
    case TkovTipoCampo::tcDe10:
      return TextoParaDecimal(conteudo, 0.0);
    case TkovTipoCampo::tcBoolStr:
    case TkovTipoCampo::tcStrOrig:
    case TkovTipoCampo::tcNumStr:
      throw ENivraDFeException("Tag <" + tag + "> com conteúdo inválido. " + conteudo);
    default:
      return TVarDataHora{LerDataHora(Tipo, tag, conteudo)};
  }
}

std::string TLeitor::rCampoCNPJCPF(const std::string& TAGparada) {
  // rCampo already trims text fields.
  std::string numero = std::get<std::string>(rCampo(TkovTipoCampo::tcStr, "CNPJ", TAGparada));
  if (numero.empty()) {
    numero = std::get<std::string>(rCampo(TkovTipoCampo::tcStr, "CPF", TAGparada));
  }
  return numero;
}

TVariante TLeitor::rAtributo(const std::string& Atributo, const std::string& Tag) {
  const std::string atributo = Aparar(Atributo);
  const std::string tag = Aparar(Tag);
  if (atributo.empty()) return std::string();
  const size_t t = tag.empty() ? npos : FGrupo.find(tag);
  size_t a = FGrupo.find(atributo);
  if (t != npos && (a == npos || a < t)) a = FGrupo.find(atributo, t);
  if (a == npos) return std::string();

  std::string resto = Aparar(std::string_view(FGrupo).substr(a + atributo.size()));
  const size_t dupla = resto.find('"');
  const size_t simples = resto.find('\'');
  const char aspa = simples != npos && (dupla == npos || simples < dupla) ? '\'' : '"';
  const size_t abre = resto.find(aspa);
  if (abre == npos) return std::string();
  resto = Aparar(std::string_view(resto).substr(abre + 1));
  const size_t fecha = resto.find(aspa);
  if (fecha == npos || fecha == 0) return std::string();
  return DecodificarEntidadesLeitura(resto.substr(0, fecha));
}

bool TLeitor::CarregarArquivo(const std::string& CaminhoArquivo) {
  FArquivo = JuntarLinhas(DividirLinhas(LerArquivoTexto(CaminhoArquivo)));
  return true;
}

bool TLeitor::CarregarArquivo(std::istream& Stream) {
  std::string texto((std::istreambuf_iterator<char>(Stream)), std::istreambuf_iterator<char>());
  if (Stream.bad()) throw ENivraDFeException("Erro ao ler o texto do fluxo");
  FArquivo = std::move(texto);
  return true;
}

int32_t TLeitor::PosLast(const std::string& SubStr, const std::string& S) {
  return UltimaPosicao(SubStr, S);
}

}  // namespace nivra
