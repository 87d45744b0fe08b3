// Command-line parsing of status-sefaz.
#include "app/status_sefaz/opcoes.h"

namespace nivra {

namespace {

void DefinirAcao(TOpcoesStatus& opcoes, TAcaoStatus acao, const std::string& opcao) {
  if (opcoes.Acao != TAcaoStatus::Consultar && opcoes.Acao != acao)
    throw EOpcaoInvalida("a opção " + opcao + " não combina com outra ação pedida");
  opcoes.Acao = acao;
}

// The options of the store's protection by the keyring; false for any other option.
bool LerOpcaoChaveiro(TLeitorArgumentos& leitor, const std::string& opcao, TOpcoesStatus& opcoes) {
  if (opcao == "--proteger-certificados") {
    leitor.SemValor(opcao);
    DefinirAcao(opcoes, TAcaoStatus::ProtegerCertificados, opcao);
  } else if (opcao == "--remover-certificado") {
    opcoes.SerieRemover = leitor.Valor(opcao);
    DefinirAcao(opcoes, TAcaoStatus::RemoverCertificado, opcao);
  } else if (opcao == "--exigir-chaveiro") {
    leitor.SemValor(opcao);
    opcoes.ExigirChaveiro = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

TOpcoesStatus LerOpcoes(const std::vector<std::string>& argumentos) {
  TOpcoesStatus opcoes;
  if (const auto pedido = PedidoInformativo(argumentos)) {
    opcoes.Acao = *pedido == TPedidoInformativo::Ajuda ? TAcaoStatus::Ajuda : TAcaoStatus::Versao;
    return opcoes;
  }
  TLeitorArgumentos leitor(argumentos);
  std::string escolhaDeAutorizador;
  bool formatoDado = false;
  while (!leitor.Fim()) {
    const std::string opcao = leitor.ProximaOpcao();
    if (opcao == "--uf" || opcao == "--contingencia") escolhaDeAutorizador = opcao;
    if (LerOpcaoConexao(leitor, opcao, opcoes)) continue;
    if (LerOpcaoSaida(leitor, opcao, opcoes.Saida, formatoDado)) continue;
    if (LerOpcaoChaveiro(leitor, opcao, opcoes)) continue;
    if (opcao == "--contingencia") {
      opcoes.FormaEmissao = Escolha<TkovTipoEmissao>(
          opcao, leitor.Valor(opcao),
          {{"svc-an", TkovTipoEmissao::teSVCAN}, {"svc-rs", TkovTipoEmissao::teSVCRS}});
    } else if (opcao == "--modelo") {
      opcoes.Modelo =
          Escolha<TkovModeloDF>(opcao, leitor.Valor(opcao),
                                {{"nfe", TkovModeloDF::moNFe}, {"nfce", TkovModeloDF::moNFCe}});
    } else if (opcao == "--todas") {
      leitor.SemValor(opcao);
      opcoes.Todas = true;
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
  if (opcoes.ExigirChaveiro && opcoes.Acao != TAcaoStatus::ImportarCertificado)
    throw EOpcaoInvalida("a opção --exigir-chaveiro só vale com --importar-certificado");
  ValidarOpcoesConexao(opcoes, opcoes.Acao == TAcaoStatus::Consultar);
  AplicarJson(opcoes.Saida, formatoDado, opcoes.Json);
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

Monitoramento:
  --formato texto|json|prometheus|nagios
                                texto (padrão); json como --json; prometheus: métricas no
                                formato OpenMetrics (nfe_status_codigo, nfe_status_em_operacao,
                                nfe_tmed_segundos, nfe_consulta_segundos) para o coletor de
                                arquivos de texto do node exporter, uma série por autorizador;
                                nagios: a linha de um plugin de monitoramento, com os mesmos
                                códigos de saída
  --saida ARQ                   grava o resultado neste arquivo, substituído por inteiro (quem
                                o lê nunca vê metade), em vez da saída padrão
  --historico ARQ               acrescenta as respostas ao histórico SQLite deste arquivo (o
                                mesmo do monitor-sefaz, em ~/.local/share/monitor-sefaz/)

Repositório de certificados:
  --listar-certificados         lista os certificados do repositório e dos tokens
  --importar-certificado ARQ    importa um arquivo PKCS#12 para o repositório, protegido pelo
                                chaveiro da sessão (Secret Service) quando há um
  --exigir-chaveiro             com --importar-certificado: recusa gravar o certificado sem a
                                proteção do chaveiro
  --proteger-certificados       passa para o chaveiro as entradas que abrem sem senha
  --remover-certificado SERIE   remove o certificado do repositório e a sua senha do chaveiro

  --help, --version

Saída: primeira linha "CSTAT - XMOTIVO", depois os demais campos.
Código de saída: 0 para 107 (em operação), 1 para 108, 2 para 109, 3 para falha ou outro código;
com --todas, o pior código entre os autorizadores.
--timeout limita cada consulta: um autorizador lento ou fora do ar não atrasa os demais.
)";
}

}  // namespace nivra
