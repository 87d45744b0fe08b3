// OpenMetrics text and the monitoring-plugin line.
#include "app/status_sefaz/saida_monitoramento.h"

#include <cstdio>

#include "app/status_sefaz/consulta_status.h"

namespace nivra {

namespace {

std::string Segundos(double valor) {
  char texto[32];
  std::snprintf(texto, sizeof texto, "%.3f", valor);
  std::string numero = texto;
  while (numero.back() == '0') numero.pop_back();
  if (numero.back() == '.') numero.pop_back();
  return numero;
}

std::string ValorDeRotulo(const std::string& texto) {
  std::string valor;
  for (const char c : texto) {
    if (c == '\\' || c == '"') valor += '\\';
    valor += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return valor;
}

std::string Rotulos(const TResultadoAutorizador& r, const std::string& ambiente,
                    const std::string& modelo) {
  std::string ufs;
  for (const std::string& uf : r.Autorizador.UFs) ufs += (ufs.empty() ? "" : ",") + uf;
  return "{autorizador=\"" + ValorDeRotulo(r.Autorizador.Nome) + "\",uf=\"" + ValorDeRotulo(ufs) +
         "\",ambiente=\"" + ambiente + "\",modelo=\"" + modelo + "\"}";
}

bool Respondeu(const TResultadoAutorizador& r) { return r.Resultado.Erro.empty(); }

// Reasons and messages on one line, without the "|" that starts the plugin's data.
std::string Limpo(const std::string& texto) {
  std::string linha;
  for (const char c : texto) {
    if (c == '\r') continue;
    linha += c == '\n' ? ' ' : c == '|' ? '/' : c;
  }
  return linha;
}

std::string Situacao(const TResultadoAutorizador& r) {
  return Respondeu(r) ? std::to_string(r.Resultado.cStat) + " " + Limpo(r.Resultado.xMotivo)
                      : Limpo(r.Resultado.Erro);
}

}  // namespace

std::string TextoPrometheus(const std::vector<TResultadoAutorizador>& resultados,
                            TkovTipoAmbiente ambiente, TkovModeloDF modelo) {
  const std::string nomeAmbiente =
      ambiente == TkovTipoAmbiente::taProducao ? "producao" : "homologacao";
  const std::string nomeModelo = modelo == TkovModeloDF::moNFCe ? "nfce" : "nfe";
  struct TMetrica {
    const char* Nome;
    const char* Ajuda;
    bool SoRespondidas;
    std::string (*Valor)(const TResultadoAutorizador&);
  };
  const TMetrica metricas[] = {
      {"nfe_status_codigo",
       "Código (cStat) da resposta do serviço de status do autorizador; 0 quando a consulta "
       "falhou.",
       false,
       [](const TResultadoAutorizador& r) {
         return std::to_string(Respondeu(r) ? r.Resultado.cStat : 0);
       }},
      {"nfe_status_em_operacao", "1 quando o autorizador respondeu 107 (em operação), senão 0.",
       false,
       [](const TResultadoAutorizador& r) {
         return std::string(Respondeu(r) && r.Resultado.cStat == 107 ? "1" : "0");
       }},
      {"nfe_tmed_segundos", "Tempo médio de resposta informado pelo autorizador (tMed).", true,
       [](const TResultadoAutorizador& r) { return std::to_string(r.Resultado.tMed); }},
      {"nfe_consulta_segundos", "Duração da consulta de status, do pedido à resposta.", false,
       [](const TResultadoAutorizador& r) { return Segundos(r.Milissegundos / 1000); }},
  };
  std::string texto;
  for (const TMetrica& m : metricas) {
    texto += std::string("# HELP ") + m.Nome + " " + m.Ajuda + "\n# TYPE " + m.Nome + " gauge\n";
    for (const TResultadoAutorizador& r : resultados)
      if (!m.SoRespondidas || Respondeu(r))
        texto += m.Nome + Rotulos(r, nomeAmbiente, nomeModelo) + " " + m.Valor(r) + "\n";
  }
  return texto + "# EOF\n";
}

std::string LinhaNagios(const std::vector<TResultadoAutorizador>& resultados) {
  static const char* const kEstados[] = {"OK", "WARNING", "CRITICAL", "UNKNOWN"};
  const int codigo = CodigoSaidaTodas(resultados);
  std::string linha = std::string(kEstados[codigo]) + " - ";
  std::string dados;
  if (resultados.size() == 1) {
    const TResultadoAutorizador& r = resultados.front();
    linha += Situacao(r);
    if (Respondeu(r)) dados = "tmed=" + std::to_string(r.Resultado.tMed) + "s ";
    dados += "consulta=" + Segundos(r.Milissegundos / 1000) + "s";
  } else {
    std::size_t emOperacao = 0;
    std::string outros;
    for (const TResultadoAutorizador& r : resultados) {
      const std::string nome = Limpo(r.Autorizador.Nome);
      if (Respondeu(r) && r.Resultado.cStat == 107)
        ++emOperacao;
      else
        outros += "; " + nome + ": " + Situacao(r);
      if (!dados.empty()) dados += " ";
      if (Respondeu(r)) dados += "'" + nome + " tmed'=" + std::to_string(r.Resultado.tMed) + "s ";
      dados += "'" + nome + " consulta'=" + Segundos(r.Milissegundos / 1000) + "s";
    }
    linha += std::to_string(emOperacao) + " de " + std::to_string(resultados.size()) +
             " autorizadores em operação" + outros;
  }
  return linha + " | " + dados + "\n";
}

}  // namespace nivra
