// The command line of consulta-nfe: the service asked for, what it asks about, and the shared
// options (authoriser, certificate, files, output).
#pragma once

#include <string>
#include <vector>

#include "app/linha_comando/argumentos.h"
#include "app/linha_comando/opcoes_conexao.h"

namespace nivra {

// What the command line asks for: one of the three services, or a text about the program.
enum class TAcaoConsulta { Situacao, Cadastro, Distribuicao, Ajuda, Versao };

// Which document a taxpayer is named by.
enum class TTipoDocumento { CNPJ, CPF, IE };

// Where a distribution starts: after an NSU, the one NSU, or the document with a key.
enum class TPontoDistribuicao { UltimoNSU, NSU, Chave };

struct TOpcoesConsulta : TOpcoesConexao {
  TAcaoConsulta Acao = TAcaoConsulta::Situacao;
  // situacao: the access key as typed (checked, upper-cased, when the query runs).
  std::string Chave;
  // cadastro, distribuicao: the taxpayer, checked, upper-cased and without ".", "/" and "-".
  TTipoDocumento TipoDocumento = TTipoDocumento::CNPJ;
  std::string Documento;
  // distribuicao: the NSU or the key Valor holds, by Ponto, checked and upper-cased.
  TPontoDistribuicao Ponto = TPontoDistribuicao::UltimoNSU;
  std::string Valor;
};

// Reads the arguments (without the program name): the service, its argument and the options,
// "--opcao valor" or "--opcao=valor". Throws EOpcaoInvalida on a missing or unknown service,
// an unknown option or one the service does not take, a missing or bad value (a CNPJ, CPF, IE,
// NSU or key that is not valid: nothing is changed to fit), or a missing or doubled choice (the
// taxpayer, the distribution's starting point, the certificate).
[[nodiscard]] TOpcoesConsulta LerOpcoesConsulta(const std::vector<std::string>& argumentos);

// The text of --help.
[[nodiscard]] std::string TextoAjudaConsulta();

}  // namespace nivra
