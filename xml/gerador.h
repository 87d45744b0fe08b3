// XML generator: writes a document by concatenation, one group tag or field at a time,
// checking each field against its limits and recording problems as alert lines.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/util/variante.h"
#include "nivranfe/xml/gerador_opcoes.h"
#include "nivranfe/xml/saida_txt.h"
#include "nivranfe/xml/tipo_campo.h"

namespace nivra {

// Which output TGerador::SalvarArquivo saves.
enum class TkovFormatoGravacao { fgXML, fgTXT };

// Builds the XML text of a document (and, when a layout is loaded, its TXT form). Content
// problems never stop generation: each becomes a line of ListaDeAlertas, formatted by
// Opcoes().FormatoAlerta(), and the element is still written.
class TGerador {
 public:
  TGerador();
  TGerador(const TGerador&) = delete;
  TGerador& operator=(const TGerador&) = delete;
  ~TGerador();

  // The XML output; callers clear it (SetArquivoFormatoXML("")) before building a document.
  const std::string& ArquivoFormatoXML() const { return FArquivoFormatoXML; }
  void SetArquivoFormatoXML(const std::string& valor) { FArquivoFormatoXML = valor; }

  // The TXT output, filled only when LayoutArquivoTXT holds a layout.
  const std::string& ArquivoFormatoTXT() const { return FSaidaTXT->Arquivo(); }
  void SetArquivoFormatoTXT(const std::string& valor) { FSaidaTXT->SetArquivo(valor); }

  // The TXT layout lines; empty unless a caller loads one.
  std::vector<std::string>& LayoutArquivoTXT() { return FSaidaTXT->Layout(); }

  // One formatted line per alert, in the order raised; the generator never clears it.
  std::vector<std::string>& ListaDeAlertas() { return FListaDeAlertas; }
  const std::vector<std::string>& ListaDeAlertas() const { return FListaDeAlertas; }

  // The opening tags of the groups currently open, as "<a><b>", used in alerts.
  const std::string& TagNivel() const { return FTagNivel; }

  // The upper-cased ID of the current TXT record.
  const std::string& IDNivel() const { return FSaidaTXT->IDNivel(); }

  TGeradorOpcoes& Opcoes() { return *FOpcoes; }
  const TGeradorOpcoes& Opcoes() const { return *FOpcoes; }

  // Tag prefix used by wCampoNFSe and wGrupoNFSe.
  const std::string& Prefixo() const { return FPrefixo; }
  void SetPrefixo(const std::string& valor) { FPrefixo = valor; }

  // Bar list ("|a|b|") of tag beginnings kept out of TagNivel.
  const std::string& IgnorarTagNivel() const { return FIgnorarTagNivel; }
  void SetIgnorarTagNivel(const std::string& valor) { FIgnorarTagNivel = valor; }

  // Bar list of tag beginnings written one indentation level lower.
  const std::string& IgnorarTagIdentacao() const { return FIgnorarTagIdentacao; }
  void SetIgnorarTagIdentacao(const std::string& valor) { FIgnorarTagIdentacao = valor; }

  // Writes "<" + TAG + ">". TAG is the whole inside of the tag: the name and its attributes
  // for an opening tag, "/" and the name for a closing one; a TAG ending in "/" writes a
  // self-contained element and counts as opening. Identar makes the tag move the
  // indentation level. ID names the TXT record the group opens (empty for closing tags).
  // Also keeps TagNivel. Never throws.
  void wGrupo(std::string_view TAG, std::string_view ID = {}, bool Identar = true);

  // Writes one field element, formatting valor by Tipo and checking its size (min, max) and
  // presence (ocorrencias 1 = mandatory, 0 = optional); each problem becomes an alert.
  // ParseTextoXML filters the text (accents, spaces, line breaks, XML escaping); Atributo
  // goes inside the opening tag. Throws ENivraDFeException when a date or time type gets
  // a value that is not a date-time, or tcBoolStr one that is not a truth value; nothing is
  // written then.
  void wCampo(TkovTipoCampo Tipo, std::string_view ID, std::string_view TAG, int16_t min,
              int16_t max, int16_t ocorrencias, const TVariante& valor,
              std::string_view Descricao = {}, bool ParseTextoXML = true,
              std::string_view Atributo = {});

  // A CNPJ or CPF element chosen by the number of characters of CNPJCPF, its letters and digits
  // kept (none or more than 11 make a CNPJ), optionally zero-padded, with an alert when the
  // number is not valid.
  void wCampoCNPJCPF(const std::string& ID1, const std::string& ID2, const std::string& CNPJCPF,
                     bool obrigatorio, bool PreencheZeros);

  // A CNPJ element for Brazil (cPais 1058), its letters and digits kept, checked for validity;
  // an empty CNPJ element for any other country.
  void wCampoCNPJ(const std::string& ID, const std::string& CNPJ, int32_t cPais, bool obrigatorio);

  // A CPF element for Brazil (cPais 1058), checked for validity; an empty CPF element for any
  // other country.
  void wCampoCPF(const std::string& ID, const std::string& CPF, int32_t cPais, bool obrigatorio);

  // wCampo with Prefixo put before the tag name.
  void wCampoNFSe(TkovTipoCampo Tipo, const std::string& ID, const std::string& TAG, int16_t min,
                  int16_t max, int16_t ocorrencias, const TVariante& valor,
                  const std::string& Descricao = "", bool ParseTextoXML = true,
                  const std::string& Atributo = "");

  // wGrupo with Prefixo put before the tag name (after the "/" of a closing tag).
  void wGrupoNFSe(const std::string& TAG, const std::string& ID = "", bool Identar = true);

  // Formats Opcoes().FormatoAlerta() with the level path, TAG, ID, Alerta and Descricao and
  // adds the line to ListaDeAlertas; does nothing when Alerta is blank.
  void wAlerta(std::string_view ID, std::string_view TAG, std::string_view Descricao,
               std::string_view Alerta);

  // Appends Texto unchanged to the XML output (already-built XML).
  void wTexto(const std::string& Texto);

  // TXT side: starts the record ID (see TSaidaTXT::gtNivel).
  void gtNivel(std::string_view ID);
  // TXT side: fills the field Tag of the current record (see TSaidaTXT::gtCampo).
  void gtCampo(std::string_view Tag, std::string_view ConteudoProcessado);
  // TXT side: final clean-up of the records (see TSaidaTXT::gtAjustarRegistros).
  void gtAjustarRegistros(const std::string& ID);

  // Writes the XML (fgXML) or TXT (fgTXT) output followed by CR LF to CaminhoArquivo,
  // replacing the file. Returns true; throws ENivraDFeException when the file cannot be
  // written.
  bool SalvarArquivo(const std::string& CaminhoArquivo,
                     TkovFormatoGravacao FormatoGravacao = TkovFormatoGravacao::fgXML);

 private:
  // Appends one line of output made of the parts, indented and ended by CR LF when IdentarXML
  // is set.
  void EscreverLinha(std::initializer_list<std::string_view> partes);
  // Updates TagNivel for the group tag TAG.
  void AtualizarTagNivel(std::string_view TAG);
  // Shared body of wCampoCNPJ and wCampoCPF.
  void wCampoDocumento(const std::string& ID, const std::string& TAG, const std::string& numero,
                       int32_t cPais, bool obrigatorio, const std::string& Descricao,
                       int16_t tamanho, bool (*valido)(std::string_view), bool alfanumerico);

  std::string FArquivoFormatoXML;
  std::vector<std::string> FListaDeAlertas;
  std::string FTagNivel;
  std::unique_ptr<TGeradorOpcoes> FOpcoes;
  std::unique_ptr<TSaidaTXT> FSaidaTXT;
  std::string FPrefixo;
  std::string FIgnorarTagNivel;
  std::string FIgnorarTagIdentacao;
};

}  // namespace nivra
