// Command-line parsing of status-sefaz.
#include "app/status_sefaz/opcoes.h"

#include <charconv>
#include <map>
#include <optional>
#include <utility>

#include "util/uf.h"

namespace {

// Splits "--opcao=valor"; the value comes from the next argument otherwise.
class TLeitorArgumentos {
 public:
  explicit TLeitorArgumentos(const std::vector<std::string>& argumentos)
      : FArgumentos(argumentos) {}

  bool Fim() const { return FPosicao >= FArgumentos.size(); }

  // The next option name; its inline value, if any, is kept for Valor().
  std::string ProximaOpcao() {
    std::string argumento = FArgumentos[FPosicao++];
    FValorEmLinha.reset();
    if (!argumento.starts_with("--")) throw EOpcaoInvalida("argumento inesperado: " + argumento);
    if (auto igual = argumento.find('='); igual != std::string::npos) {
      FValorEmLinha = argumento.substr(igual + 1);
      argumento.resize(igual);
    }
    return argumento;
  }

  std::string Valor(const std::string& opcao) {
    if (FValorEmLinha) return *std::exchange(FValorEmLinha, std::nullopt);
    if (Fim() || FArgumentos[FPosicao].starts_with("--"))
      throw EOpcaoInvalida("a opção " + opcao + " precisa de um valor");
    return FArgumentos[FPosicao++];
  }

  // Options without a value must not be given one.
  void SemValor(const std::string& opcao) const {
    if (FValorEmLinha) throw EOpcaoInvalida("a opção " + opcao + " não aceita valor");
  }

 private:
  const std::vector<std::string>& FArgumentos;
  std::size_t FPosicao = 0;
  std::optional<std::string> FValorEmLinha;
};

template <typename T>
T Escolha(const std::string& opcao, const std::string& valor,
          const std::map<std::string, T>& opcoes) {
  if (auto item = opcoes.find(valor); item != opcoes.end()) return item->second;
  std::string validas;
  for (const auto& [nome, _] : opcoes) validas += (validas.empty() ? "" : ", ") + nome;
  throw EOpcaoInvalida("valor inválido para " + opcao + ": \"" + valor + "\" (use " + validas +
                       ")");
}

int Milissegundos(const std::string& opcao, const std::string& valor) {
  int numero = 0;
  const auto [fim, erro] = std::from_chars(valor.data(), valor.data() + valor.size(), numero);
  if (erro != std::errc() || fim != valor.data() + valor.size() || numero <= 0)
    throw EOpcaoInvalida("valor inválido para " + opcao + ": \"" + valor +
                         "\" (milissegundos, número inteiro positivo)");
  return numero;
}

void DefinirAcao(TOpcoesStatus& opcoes, TAcaoStatus acao, const std::string& opcao) {
  if (opcoes.Acao != TAcaoStatus::Consultar && opcoes.Acao != acao)
    throw EOpcaoInvalida("a opção " + opcao + " não combina com outra ação pedida");
  opcoes.Acao = acao;
}

// --help and --version win over whatever else the line holds, mistakes included.
std::optional<TAcaoStatus> AcaoInformativa(const std::vector<std::string>& argumentos) {
  for (const std::string& argumento : argumentos) {
    if (argumento == "--help" || argumento == "--ajuda") return TAcaoStatus::Ajuda;
    if (argumento == "--version" || argumento == "--versao") return TAcaoStatus::Versao;
  }
  return std::nullopt;
}

}  // namespace

TOpcoesStatus LerOpcoes(const std::vector<std::string>& argumentos) {
  TOpcoesStatus opcoes;
  if (const auto acao = AcaoInformativa(argumentos)) {
    opcoes.Acao = *acao;
    return opcoes;
  }
  TLeitorArgumentos leitor(argumentos);
  std::string escolhaDeAutorizador;
  while (!leitor.Fim()) {
    const std::string opcao = leitor.ProximaOpcao();
    if (opcao == "--uf" || opcao == "--contingencia") escolhaDeAutorizador = opcao;
    if (opcao == "--uf") {
      opcoes.UF = leitor.Valor(opcao);
      if (BuscarUF(opcoes.UF) == nullptr)
        throw EOpcaoInvalida("UF inválida: \"" + opcoes.UF +
                             "\" (use a sigla em maiúsculas, ex.: PR)");
    } else if (opcao == "--ambiente") {
      opcoes.Ambiente =
          Escolha<TkovTipoAmbiente>(opcao, leitor.Valor(opcao),
                                    {{"producao", TkovTipoAmbiente::taProducao},
                                     {"homologacao", TkovTipoAmbiente::taHomologacao}});
    } else if (opcao == "--contingencia") {
      opcoes.FormaEmissao = Escolha<TkovTipoEmissao>(
          opcao, leitor.Valor(opcao),
          {{"svc-an", TkovTipoEmissao::teSVCAN}, {"svc-rs", TkovTipoEmissao::teSVCRS}});
    } else if (opcao == "--modelo") {
      opcoes.Modelo =
          Escolha<TkovModeloDF>(opcao, leitor.Valor(opcao),
                                {{"nfe", TkovModeloDF::moNFe}, {"nfce", TkovModeloDF::moNFCe}});
    } else if (opcao == "--certificado") {
      opcoes.NumeroSerie = leitor.Valor(opcao);
    } else if (opcao == "--pfx") {
      opcoes.ArquivoPFX = leitor.Valor(opcao);
    } else if (opcao == "--servicos") {
      opcoes.ArquivoServicos = leitor.Valor(opcao);
    } else if (opcao == "--schemas") {
      opcoes.PastaSchemas = leitor.Valor(opcao);
    } else if (opcao == "--salvar") {
      opcoes.PastaSalvar = leitor.Valor(opcao);
    } else if (opcao == "--timeout") {
      opcoes.TimeOut = Milissegundos(opcao, leitor.Valor(opcao));
    } else if (opcao == "--todas") {
      leitor.SemValor(opcao);
      opcoes.Todas = true;
    } else if (opcao == "--verificar-servidor") {
      leitor.SemValor(opcao);
      opcoes.VerificarServidor = true;
    } else if (opcao == "--ca") {
      opcoes.ArquivoCA = leitor.Valor(opcao);
    } else if (opcao == "--json") {
      leitor.SemValor(opcao);
      opcoes.Json = true;
    } else if (opcao == "--listar-certificados") {
      leitor.SemValor(opcao);
      DefinirAcao(opcoes, TAcaoStatus::ListarCertificados, opcao);
    } else if (opcao == "--importar-certificado") {
      opcoes.ArquivoImportar = leitor.Valor(opcao);
      DefinirAcao(opcoes, TAcaoStatus::ImportarCertificado, opcao);
    } else {
      throw EOpcaoInvalida("opção desconhecida: " + opcao + " (veja --help)");
    }
  }
  if (opcoes.Todas && !escolhaDeAutorizador.empty())
    throw EOpcaoInvalida("a opção --todas não combina com " + escolhaDeAutorizador);
  if (!opcoes.ArquivoCA.empty() && !opcoes.VerificarServidor)
    throw EOpcaoInvalida("a opção --ca só vale com --verificar-servidor");
  if (!opcoes.NumeroSerie.empty() && !opcoes.ArquivoPFX.empty())
    throw EOpcaoInvalida("use --certificado ou --pfx, não os dois");
  if (opcoes.Acao == TAcaoStatus::Consultar && opcoes.NumeroSerie.empty() &&
      opcoes.ArquivoPFX.empty())
    throw EOpcaoInvalida(
        "informe o certificado: --certificado NUMERO_DE_SERIE (do repositório) ou --pfx ARQUIVO");
  return opcoes;
}

std::string TextoAjuda() {
  return R"(Uso: status-sefaz [opções]
Consulta se o serviço de autorização de NF-e de uma UF está em operação.

Autorizador:
  --uf UF                       sigla da UF (padrão PR)
  --ambiente producao|homologacao
                                ambiente consultado (padrão producao)
  --contingencia svc-an|svc-rs  consulta o autorizador de contingência
  --modelo nfe|nfce             modelo do documento (padrão nfe)
  --todas                       consulta ao mesmo tempo todos os autorizadores do ambiente e
                                do modelo (os das UFs, SVRS, SVAN, SVC-AN e SVC-RS), uma vez
                                cada, e mostra uma tabela ordenada por UF

Frequência: as SEFAZ pedem ao menos 3 minutos entre duas consultas de status do mesmo
cliente e respondem 656 (consumo indevido) a quem consulta antes. Rode status-sefaz, com ou
sem --todas, no máximo uma vez a cada 3 minutos por certificado.

Certificado (senha ou PIN na variável NIVRA_SENHA, ou perguntado no terminal):
  --certificado NUMERO_SERIE    certificado do repositório (A1) ou de um token (A3)
  --pfx ARQUIVO                 arquivo PKCS#12 (.pfx, .p12)

Outros:
  --servicos ARQ.ini            tabela de serviços que substitui a embutida
  --schemas PASTA               pasta dos schemas XSD
  --salvar PASTA                arquiva os pedidos e as respostas nesta pasta
  --timeout MS                  tempo limite da requisição (padrão 10000)
  --verificar-servidor          verifica a cadeia e o nome do certificado do autorizador
  --ca ARQ                      com --verificar-servidor: confia só nas autoridades deste
                                arquivo PEM (sem ele, nas do sistema)
  --json                        resultado como um objeto JSON (com --todas, uma lista)

Repositório de certificados:
  --listar-certificados         lista os certificados do repositório e dos tokens
  --importar-certificado ARQ    importa um arquivo PKCS#12 para o repositório

  --help, --version

Saída: primeira linha "CSTAT - XMOTIVO", depois os demais campos.
Código de saída: 0 para 107 (em operação), 1 para 108, 2 para 109, 3 para falha ou outro código;
com --todas, o pior código entre os autorizadores.
--timeout limita cada consulta: um autorizador lento ou fora do ar não atrasa os demais.
)";
}
