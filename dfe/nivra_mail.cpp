// The e-mail component's message and server settings.
#include "nivranfe/dfe/nivra_mail.h"

#include <charconv>
#include <optional>
#include <utility>

#include "nivranfe/dfe/servicos_ini.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

constexpr std::string_view kSecao = "Email";

[[noreturn]] void ValorInvalido(std::string_view chave, std::string_view valor) {
  throw ENivraDFeException("Valor inválido em [Email] " + std::string(chave) + ": " +
                           std::string(valor));
}

void LerTexto(const TServicosIni& ini, std::string_view chave, std::string& destino) {
  std::string valor = ini.Ler(kSecao, chave);
  if (!valor.empty()) destino = std::move(valor);
}

std::optional<int> LerInteiro(const TServicosIni& ini, std::string_view chave) {
  const std::string valor = ini.Ler(kSecao, chave);
  if (valor.empty()) return std::nullopt;
  int numero = 0;
  const auto [fim, erro] = std::from_chars(valor.data(), valor.data() + valor.size(), numero);
  if (erro != std::errc() || fim != valor.data() + valor.size() || numero < 0)
    ValorInvalido(chave, valor);
  return numero;
}

std::optional<bool> LerBooleano(const TServicosIni& ini, std::string_view chave) {
  const std::string valor = ini.Ler(kSecao, chave);
  const std::string maiusculo = Maiusculas(valor);
  if (valor.empty()) return std::nullopt;
  if (maiusculo == "1" || maiusculo == "TRUE") return true;
  if (maiusculo == "0" || maiusculo == "FALSE") return false;
  ValorInvalido(chave, valor);
}

}  // namespace

void TNivraMail::Limpar() {
  FDestinatarios.clear();
  FCopias.clear();
  FResponderPara.clear();
  FAssunto.clear();
  FCorpo.clear();
  FCorpoAlternativo.clear();
  FAnexos.clear();
}

void TNivraMail::AdicionarAnexoDados(const std::string& Dados, const std::string& Nome) {
  FAnexos.push_back(TNivraMailAnexo{Nome, Dados, {}});
}

void TNivraMail::AdicionarAnexoArquivo(const std::string& Arquivo) {
  FAnexos.push_back(TNivraMailAnexo{{}, {}, Arquivo});
}

void TNivraMail::CarregarConfiguracao(std::string_view TextoIni) {
  const TServicosIni ini(TextoIni);
  // Every number and Boolean is read before anything changes, so a bad value changes nothing.
  const std::optional<int> porta = LerInteiro(ini, "Porta");
  const std::optional<int> timeOut = LerInteiro(ini, "TimeOut");
  const std::optional<bool> ssl = LerBooleano(ini, "SSL");
  const std::optional<bool> tls = LerBooleano(ini, "TLS");
  const std::optional<bool> verificar = LerBooleano(ini, "VerificarCertificado");
  LerTexto(ini, "Host", FHost);
  LerTexto(ini, "Usuario", FUsuario);
  LerTexto(ini, "De", FDe);
  LerTexto(ini, "NomeDe", FNomeDe);
  LerTexto(ini, "ArquivoCA", FArquivoCA);
  FPorta = porta.value_or(FPorta);
  FTimeOut = timeOut.value_or(FTimeOut);
  FSSL = ssl.value_or(FSSL);
  FTLS = tls.value_or(FTLS);
  FVerificarCertificado = verificar.value_or(FVerificarCertificado);
}

}  // namespace nivra
