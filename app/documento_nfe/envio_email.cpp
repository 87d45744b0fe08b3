// Sending a document by e-mail from documento-nfe.
#include "app/documento_nfe/envio_email.h"

#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/documento_nfe/documento_impresso.h"
#include "app/linha_comando/componente.h"
#include "app/linha_comando/saida_comum.h"
#include "app/linha_comando/senha_terminal.h"
#include "nivranfe/util/arquivos.h"

namespace nivra {

namespace {

constexpr const char* kVariavelSenha = "NIVRA_SMTP_SENHA";

std::string Juntar(const std::vector<std::string>& itens) {
  std::string texto;
  for (const std::string& item : itens) texto += (texto.empty() ? "" : ", ") + item;
  return texto;
}

// The text with its lines ending in CR LF, as a message's lines travel.
std::string LinhasCRLF(const std::string& texto) {
  std::string linhas;
  for (size_t i = 0; i < texto.size(); ++i) {
    if (texto[i] == '\n' && (i == 0 || texto[i - 1] != '\r')) linhas += '\r';
    linhas += texto[i];
  }
  return linhas;
}

}  // namespace

std::string ConfiguracaoEmailPadrao() {
  return PastaXdg(VariavelAmbiente("XDG_CONFIG_HOME"), CaminhoComBarra(VariavelAmbiente("HOME")),
                  ".config/") +
         "documento-nfe/documento-nfe.ini";
}

void ConfigurarServidorEmail(TNivraMail& mail, const TOpcoesEmail& opcoes) {
  std::string configuracao = opcoes.Configuracao;
  if (configuracao.empty() && std::filesystem::is_regular_file(ConfiguracaoEmailPadrao()))
    configuracao = ConfiguracaoEmailPadrao();
  if (!configuracao.empty()) mail.CarregarConfiguracao(LerArquivoBinario(configuracao));
  if (opcoes.Servidor) {
    mail.SetHost(opcoes.Servidor->Host);
    mail.SetPorta(opcoes.Servidor->Porta);
    mail.SetSSL(opcoes.Servidor->SSL);
    mail.SetTLS(!opcoes.Servidor->SSL);
  }
  if (!opcoes.Usuario.empty()) mail.SetUsuario(opcoes.Usuario);
  if (!opcoes.De.empty()) mail.SetDe(opcoes.De);
  if (!opcoes.ArquivoCA.empty()) mail.SetArquivoCA(opcoes.ArquivoCA);
  if (mail.Host().empty())
    throw EOpcaoInvalida(
        "informe o servidor de e-mail: --servidor smtp://HOST[:PORTA] ou Host na "
        "seção [Email] de " +
        (configuracao.empty() ? ConfiguracaoEmailPadrao() : configuracao));
  if (mail.De().empty())
    throw EOpcaoInvalida("informe o remetente: --de ENDEREÇO ou De na seção [Email]");
  if (mail.Usuario().empty()) return;
  const std::optional<std::string> senha =
      LerSenhaDe(kVariavelSenha, "Senha de " + mail.Usuario() + " no servidor de e-mail: ");
  if (!senha)
    throw EOpcaoInvalida(std::string("informe a senha do servidor de e-mail em ") + kVariavelSenha +
                         " (ou rode num terminal para digitá-la)");
  mail.SetSenha(*senha);
}

int EnviarDocumentoPorEmail(TNivraNFe& nfe, const TOpcoesDocumento& opcoes) {
  const TOpcoesEmail& e = opcoes.Email;
  const TDocumentoImpresso documento = LerDocumento(LerArquivoBinario(opcoes.Arquivo));
  TNivraMail mail;
  ConfigurarServidorEmail(mail, e);
  for (const std::string& para : e.Para) mail.AdicionarDestinatario(para);
  for (const std::string& copia : e.Copias) mail.AdicionarCopia(copia);
  mail.SetAssunto(e.Assunto.empty() ? documento.Descricao : e.Assunto);

  std::vector<std::string> anexos{documento.Nome + ".xml"};
  mail.AdicionarAnexoDados(documento.XML, anexos.back());
  if (!e.SemDANFE) {
    ConfigurarComponente(nfe, opcoes, "");
    std::vector<std::string> avisos;
    const std::string pdf = ImprimirDocumento(nfe, documento, opcoes.Impressao, avisos);
    for (const std::string& aviso : avisos) std::cerr << "documento-nfe: " << aviso << "\n";
    anexos.push_back(documento.Nome + ".pdf");
    mail.AdicionarAnexoDados(pdf, anexos.back());
  }
  mail.SetCorpo(
      LinhasCRLF(e.Mensagem.empty()
                     ? "Segue em anexo " +
                           std::string(e.SemDANFE ? "o XML" : "o XML e o " + documento.Impresso) +
                           " de " + documento.Descricao + "."
                     : e.Mensagem) +
      "\r\n");

  const std::string servidor = mail.Host() + ":" + std::to_string(mail.PortaEfetiva());
  std::cerr << "Enviando " << Juntar(anexos) << " para " << Juntar(e.Para) << " por " << servidor
            << "...\n";
  mail.Enviar();
  if (opcoes.Json) {
    std::cout << TextoJson({{"enviado", true},
                            {"servidor", servidor},
                            {"para", e.Para},
                            {"cc", e.Copias},
                            {"assunto", mail.Assunto()},
                            {"anexos", anexos}});
  }
  std::cerr << "E-mail enviado.\n";
  return 0;
}

}  // namespace nivra
