// The XML generator: group tags, fields with their checks, alerts and identity numbers.
#include "nivranfe/xml/gerador.h"

#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/documentos.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/xml/formatacao_campo.h"
#include "nivranfe/xml/valor_campo.h"

namespace nivra {

namespace {

const std::string kCRLF = "\r\n";
const std::string kNenhumValor = "Nenhum valor informado";
const std::string kConteudoInvalido = "Conteúdo inválido";

// The alert of the size and presence checks of a formatted field; empty when it passes.
std::string AlertaDoCampo(const TCampoFormatado& campo, int ocorrencias, const TVariante& valor) {
  std::string alerta;
  const int tamanho = NumeroDeCaracteres(campo.Texto);
  if (ocorrencias == 1 && campo.Vazio && campo.Minimo > 0) alerta = kNenhumValor;
  // A single character is never reported as too short.
  if (tamanho < campo.Minimo && alerta.empty() && tamanho > 1) {
    alerta = "Tamanho menor que o mínimo permitido";
  }
  if (tamanho > campo.Maximo) alerta = "Tamanho maior que o máximo permitido";
  if (!alerta.empty() && alerta.find(kNenhumValor) == std::string::npos && !campo.Vazio) {
    alerta += " [" + VarianteParaTexto(valor) + "]";
  }
  return alerta;
}

bool Fechamento(std::string_view TAG) { return !TAG.empty() && TAG.front() == '/'; }

// Whether a group tag carries an attribute: an `="` or `= "` in it.
bool TemAtributo(std::string_view TAG) {
  for (size_t igual = TAG.find('='); igual != std::string_view::npos;
       igual = TAG.find('=', igual + 1)) {
    const std::string_view resto = TAG.substr(igual + 1);
    if (resto.starts_with('"') || resto.starts_with(" \"")) return true;
  }
  return false;
}

}  // namespace

TGerador::TGerador()
    : FOpcoes(std::make_unique<TGeradorOpcoes>()), FSaidaTXT(std::make_unique<TSaidaTXT>()) {}

TGerador::~TGerador() = default;

void TGerador::EscreverLinha(std::initializer_list<std::string_view> partes) {
  const bool identar = FOpcoes->IdentarXML();
  if (identar) {
    const int espacos = FOpcoes->TamanhoIdentacao() * FOpcoes->NivelIdentacao();
    if (espacos > 0) FArquivoFormatoXML.append(static_cast<size_t>(espacos), ' ');
  }
  for (const std::string_view parte : partes) FArquivoFormatoXML += parte;
  if (identar) FArquivoFormatoXML += kCRLF;
}

void TGerador::AtualizarTagNivel(std::string_view TAG) {
  if (TagNaLista(TAG, FIgnorarTagNivel)) return;
  if (!Fechamento(TAG)) {
    FTagNivel.append("<").append(TAG).append(">");
    return;
  }
  if (TAG.compare(1, 3, "det") == 0) {
    // Closing any det group (det, detPag, ...) drops the path from the first det on.
    const size_t det = FTagNivel.find("<det");
    FTagNivel.resize(det == std::string::npos ? 0 : det);
    return;
  }
  // The first "<" + name + ">" of the closed group, compared in place.
  const std::string_view nome = TAG.substr(1);
  const std::string_view nivel = FTagNivel;
  for (size_t pos = nivel.find('<'); pos != std::string_view::npos;
       pos = nivel.find('<', pos + 1)) {
    const size_t fim = pos + 1 + nome.size();
    if (fim < nivel.size() && nivel[fim] == '>' && nivel.substr(pos + 1, nome.size()) == nome) {
      FTagNivel.erase(pos, nome.size() + 2);
      return;
    }
  }
}

void TGerador::wGrupo(std::string_view TAG, std::string_view ID, bool Identar) {
  gtNivel(ID);
  if (TemAtributo(TAG)) {
    // An attribute: the name after the first space and the value between the first quotes.
    const size_t espaco = TAG.find(' ');
    const size_t inicioNome = espaco == std::string_view::npos ? 0 : espaco + 1;
    const size_t fimNome = TAG.find('=', inicioNome);
    const std::string_view nome = fimNome == std::string_view::npos
                                      ? std::string_view()
                                      : TAG.substr(inicioNome, fimNome - inicioNome);
    gtCampo(nome, ConteudoEntre(TAG, "\"", "\""));
  }
  AtualizarTagNivel(TAG);
  const bool fechamento = Fechamento(TAG);
  int nivel = FOpcoes->NivelIdentacao();
  if (Identar && fechamento) --nivel;
  if (TagNaLista(TAG, FIgnorarTagIdentacao)) --nivel;
  FOpcoes->SetNivelIdentacao(nivel);
  EscreverLinha({"<", TAG, ">"});
  if (Identar && !fechamento) FOpcoes->SetNivelIdentacao(nivel + 1);
}

void TGerador::wCampo(TkovTipoCampo Tipo, std::string_view ID, std::string_view TAG, int16_t min,
                      int16_t max, int16_t ocorrencias, const TVariante& valor,
                      std::string_view Descricao, bool ParseTextoXML, std::string_view Atributo) {
  const std::string_view id = ApararVisao(ID);
  const std::string_view tag = ApararVisao(TAG);
  const TCampoFormatado campo = FormatarCampo(Tipo, valor, min, max, ocorrencias, *FOpcoes);
  if (campo.ConteudoInvalido) wAlerta(id, tag, Descricao, kConteudoInvalido);
  const std::string alerta = AlertaDoCampo(campo, ocorrencias, valor);
  if (!alerta.empty()) wAlerta(id, tag, Descricao, alerta);
  if (FOpcoes->SomenteValidar()) return;

  gtCampo(tag, campo.Vazio ? std::string_view() : std::string_view(campo.Texto));
  std::string atributo(ApararVisao(Atributo));
  if (!atributo.empty()) atributo.insert(0, " ");
  if (campo.Vazio) {
    if (ocorrencias != 1) return;
    // An indented empty element is written without its attribute.
    const std::string_view atributoVazio =
        FOpcoes->IdentarXML() ? std::string_view() : std::string_view(atributo);
    if (FOpcoes->TagVaziaNoFormatoResumido()) {
      EscreverLinha({"<", tag, atributoVazio, "/>"});
    } else {
      EscreverLinha({"<", tag, atributoVazio, "></", tag, ">"});
    }
    return;
  }
  const bool preparar = ParseTextoXML && !TextoCampoPronto(campo.Texto, FOpcoes->RetirarEspacos());
  const std::string preparado = preparar
                                    ? PrepararTextoCampo(FOpcoes->RetirarEspacos(), campo.Texto,
                                                         FOpcoes->RetirarAcentos(), true, ";")
                                    : std::string();
  EscreverLinha({"<", tag, atributo, ">", preparar ? preparado : campo.Texto, "</", tag, ">"});
}

void TGerador::wCampoCNPJCPF(const std::string& ID1, const std::string& ID2,
                             const std::string& CNPJCPF, bool obrigatorio, bool PreencheZeros) {
  std::string texto = SomenteLetrasEDigitos(Aparar(CNPJCPF));
  size_t n = texto.size();
  const int16_t ocorrencias = obrigatorio ? 1 : 0;
  if (n == 0 || n > 11) {
    if (PreencheZeros && (obrigatorio || n > 0) && n != 14) {
      texto = CompletarEsquerda(texto, 14, '0');
      n = 14;
    }
    wCampo(TkovTipoCampo::tcStr, ID1, "CNPJ", 0, 14, ocorrencias, texto);
    if (n > 0 && !CNPJValido(texto)) wAlerta(ID1, "CNPJ", "CNPJ", kConteudoInvalido);
  } else {
    if (PreencheZeros && n != 11) {
      texto = CompletarEsquerda(texto, 11, '0');
      n = 11;
    }
    wCampo(TkovTipoCampo::tcStr, ID2, "CPF", 0, 11, ocorrencias, texto);
    if (!CPFValido(texto)) wAlerta(ID2, "CPF", "CPF", kConteudoInvalido);
  }
  if (n != 0 && n != 11 && n != 14) {
    wAlerta(ID2 + "-" + ID1, "CNPJ-CPF", "CNPJ/CPF", kConteudoInvalido);
  }
}

void TGerador::wCampoDocumento(const std::string& ID, const std::string& TAG,
                               const std::string& numero, int32_t cPais, bool obrigatorio,
                               const std::string& Descricao, int16_t tamanho,
                               bool (*valido)(std::string_view), bool alfanumerico) {
  if (cPais != 1058) {
    // Outside Brazil the element is written empty.
    wCampo(TkovTipoCampo::tcStr, ID, TAG, 0, 0, 1, std::string(), Descricao);
    return;
  }
  // A CNPJ may hold letters, which the digits-only field type would flag a second time.
  const std::string texto =
      alfanumerico ? SomenteLetrasEDigitos(Aparar(numero)) : SomenteDigitos(Aparar(numero));
  wCampo(alfanumerico ? TkovTipoCampo::tcStr : TkovTipoCampo::tcEsp, ID, TAG, tamanho, tamanho,
         obrigatorio ? 1 : 0, texto, Descricao);
  if (!valido(texto)) wAlerta(ID, TAG, Descricao, kConteudoInvalido);
}

void TGerador::wCampoCNPJ(const std::string& ID, const std::string& CNPJ, int32_t cPais,
                          bool obrigatorio) {
  wCampoDocumento(ID, "CNPJ", CNPJ, cPais, obrigatorio, "CNPJ(MF)", 14, &CNPJValido, true);
}

void TGerador::wCampoCPF(const std::string& ID, const std::string& CPF, int32_t cPais,
                         bool obrigatorio) {
  wCampoDocumento(ID, "CPF", CPF, cPais, obrigatorio, "CPF", 11, &CPFValido, false);
}

void TGerador::wCampoNFSe(TkovTipoCampo Tipo, const std::string& ID, const std::string& TAG,
                          int16_t min, int16_t max, int16_t ocorrencias, const TVariante& valor,
                          const std::string& Descricao, bool ParseTextoXML,
                          const std::string& Atributo) {
  wCampo(Tipo, ID, FPrefixo + TAG, min, max, ocorrencias, valor, Descricao, ParseTextoXML,
         Atributo);
}

void TGerador::wGrupoNFSe(const std::string& TAG, const std::string& ID, bool Identar) {
  if (Fechamento(TAG)) {
    wGrupo("/" + FPrefixo + TAG.substr(1), ID, Identar);
  } else {
    wGrupo(FPrefixo + TAG, ID, Identar);
  }
}

void TGerador::wAlerta(std::string_view ID, std::string_view TAG, std::string_view Descricao,
                       std::string_view Alerta) {
  if (ApararVisao(Alerta).empty()) return;
  std::string linha = FOpcoes->FormatoAlerta();
  SubstituirTodos(linha, "%TAGNIVEL%", FTagNivel);
  SubstituirTodos(linha, "%TAG%", TAG);
  SubstituirTodos(linha, "%ID%", ID);
  SubstituirTodos(linha, "%MSG%", Alerta);
  SubstituirTodos(linha, "%DESCRICAO%", ApararVisao(Descricao));
  FListaDeAlertas.push_back(linha);
}

void TGerador::wTexto(const std::string& Texto) { FArquivoFormatoXML += Texto; }

void TGerador::gtNivel(std::string_view ID) { FSaidaTXT->gtNivel(ID); }

void TGerador::gtCampo(std::string_view Tag, std::string_view ConteudoProcessado) {
  FSaidaTXT->gtCampo(Tag, ConteudoProcessado);
}

void TGerador::gtAjustarRegistros(const std::string& ID) { FSaidaTXT->gtAjustarRegistros(ID); }

bool TGerador::SalvarArquivo(const std::string& CaminhoArquivo,
                             TkovFormatoGravacao FormatoGravacao) {
  const std::string& texto =
      FormatoGravacao == TkovFormatoGravacao::fgXML ? FArquivoFormatoXML : FSaidaTXT->Arquivo();
  GravarTextoEmArquivo(CaminhoArquivo, texto, false, true);
  return true;
}

}  // namespace nivra
