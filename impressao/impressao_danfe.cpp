// Layout of the DANFE: the receipt stub and the identification blocks, the recipient, taxes
// and transport on the first sheet, the product table and the additional data spread over as
// many sheets as they need.
#include "nivranfe/impressao/impressao_danfe.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/impressao/dados_contingencia.h"
#include "nivranfe/impressao/documento_pdf.h"
#include "nivranfe/impressao/formatacao_impressao.h"
#include "nivranfe/impressao/formulario_pdf.h"
#include "nivranfe/impressao/paginacao_danfe.h"
#include "nivranfe/impressao/quadro_emitente.h"
#include "nivranfe/impressao/valores_danfe.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

constexpr double kMargem = 5;
constexpr double kLinha = 8;          // a row of titled fields
constexpr double kCabecalho = 36;     // issuer, DANFE box and key
constexpr double kCanhoto = 22;       // the stub with its cut line
constexpr double kTituloTabela = 6;   // the product table's column titles
constexpr double kTituloCampo = 3.5;  // a field's title above its text
const TFontePDF kFonteItem{"Liberation Serif", 6, false};
const TFontePDF kFonteColuna{"Liberation Serif", 5.5, true};

struct TColuna {
  const char* Titulo;
  double Peso;
  TAlinhamentoPDF Alinhamento;
};

constexpr TAlinhamentoPDF kEsq = TAlinhamentoPDF::Esquerda;
constexpr TAlinhamentoPDF kDir = TAlinhamentoPDF::Direita;
constexpr TAlinhamentoPDF kCen = TAlinhamentoPDF::Centro;
const TColuna kColunas[] = {{"CÓDIGO PRODUTO", 14, kEsq},
                            {"DESCRIÇÃO DO PRODUTO / SERVIÇO", 46, kEsq},
                            {"NCM/SH", 11, kCen},
                            {"CST/ CSOSN", 7, kCen},
                            {"CFOP", 7, kCen},
                            {"UN", 7, kCen},
                            {"QUANT.", 12, kDir},
                            {"VALOR UNIT.", 13, kDir},
                            {"VALOR TOTAL", 13, kDir},
                            {"B. CÁLC. ICMS", 13, kDir},
                            {"VALOR ICMS", 11, kDir},
                            {"VALOR IPI", 10, kDir},
                            {"ALÍQ. ICMS", 7, kDir},
                            {"ALÍQ. IPI", 7, kDir}};
constexpr size_t kDescricao = 1;

// One row of the product table: its cells in the order of kColunas.
std::vector<std::string> CelulasItem(const nfe::Tdet& det) {
  const nfe::Tprod& p = det.prod;
  const TCamposImposto i = CamposImposto(det.imposto);
  const auto campo = [&i](const char* nome) {
    const auto achado = i.find(nome);
    return achado == i.end() ? std::string() : achado->second;
  };
  const auto valor = [&campo](const char* nome) {
    const std::string texto = campo(nome);
    return texto.empty() ? texto : FormatarValor(TDecimal(std::string_view(texto)));
  };
  std::string descricao = p.xProd;
  if (!det.infAdProd.empty()) descricao += "\n" + det.infAdProd;
  const std::string cst =
      campo("ICMS/CST").empty() ? campo("ICMS/CSOSN") : campo("ICMS/orig") + campo("ICMS/CST");
  return {p.cProd,
          descricao,
          p.NCM,
          cst,
          p.CFOP,
          p.uCom,
          FormatarQuantidade(p.qCom, 4),
          FormatarQuantidade(p.vUnCom, 2),
          FormatarValor(p.vProd),
          valor("ICMS/vBC"),
          valor("ICMS/vICMS"),
          valor("IPI/vIPI"),
          valor("ICMS/pICMS"),
          valor("IPI/pIPI")};
}

class TDANFE {
 public:
  TDANFE(const TNFeLida& nota, const TOpcoesDANFE& opcoes, TDateTime criacao)
      : FNota(nota),
        FNFe(nota.NFe.infNFe),
        FDoc(opcoes.Paisagem ? 297 : 210, opcoes.Paisagem ? 210 : 297, "DANFE", criacao),
        FForm(FDoc, kMargem),
        FOpcoes(opcoes),
        FChave(FNFe.Id.starts_with("NFe") ? FNFe.Id.substr(3) : FNFe.Id),
        FDadosContingencia(
            ContingenciaEmFormularioSeguranca(FNFe.ide.tpEmis) ? DadosNFeContingencia(FNFe) : "") {
    const double largura = FForm.LarguraUtil();
    double pesos = 0;
    for (const TColuna& c : kColunas) pesos += c.Peso;
    for (const TColuna& c : kColunas) FLarguras.push_back(largura * c.Peso / pesos);
  }

  std::string Imprimir() {
    std::vector<std::vector<std::string>> linhas;
    std::vector<double> alturas;
    for (const nfe::Tdet& det : FNFe.det) {
      linhas.push_back(CelulasItem(det));
      alturas.push_back(
          FDoc.AlturaTexto(linhas.back()[kDescricao], kFonteItem, FLarguras[kDescricao] - 1) + 0.8);
    }
    const TMedidorTexto medidor = [this](std::string_view texto, double largura) {
      return FDoc.AlturaTexto(texto, FForm.Estilo().Valor, largura);
    };
    const double fim = FDoc.Altura() - kMargem;
    TEspacosDANFE espacos;
    espacos.TabelaPrimeira = fim - AlturaRodape() - InicioTabelaPrimeira() - kTituloTabela;
    espacos.AdicionaisPrimeira = AlturaAdicionais() - kTituloCampo;
    espacos.CorpoSeguintes = fim - InicioCorpo();
    espacos.CustoTabela = FForm.AlturaTituloBloco() + kTituloTabela;
    espacos.CustoAdicionais = FForm.AlturaTituloBloco() + kTituloCampo;
    espacos.LarguraAdicionais = LarguraComplementar() - 1.2;
    const std::vector<TFolhaDANFE> folhas =
        PaginarDANFE(alturas, InformacoesComplementares(), espacos, medidor);
    for (size_t n = 0; n < folhas.size(); ++n) {
      if (n > 0) FDoc.NovaPagina();
      Folha(folhas[n], n + 1, folhas.size(), linhas, alturas);
    }
    return FDoc.Terminar();
  }

 private:
  bool Autorizada() const { return FNota.protNFe && !FNota.protNFe->infProt.nProt.empty(); }
  bool Contingencia() const { return FNFe.ide.tpEmis != "1"; }
  // The top of the blocks below the header.
  double InicioCorpo() const { return kMargem + kCabecalho + 2 * kLinha + 1; }
  // The top of the product rows on the first sheet, below the stub and the blocks of the
  // recipient, the invoice's instalments, the taxes and the transport.
  double InicioTabelaPrimeira() const {
    const double titulo = FForm.AlturaTituloBloco();
    const size_t duplicatas = FNFe.cobr ? FNFe.cobr->dup.size() : 0;
    const double fatura =
        duplicatas > 0 ? titulo + kLinha * std::ceil(static_cast<double>(duplicatas) / 6) : 0;
    return kCanhoto + InicioCorpo() + (titulo + 3 * kLinha) + fatura + (titulo + 2 * kLinha) +
           (titulo + 3 * kLinha) + titulo;
  }
  // The ISSQN and additional data blocks at the foot of the first sheet.
  double AlturaRodape() const {
    return (TemISSQN() ? FForm.AlturaTituloBloco() + kLinha : 0) + FForm.AlturaTituloBloco() +
           AlturaAdicionais();
  }
  // The additional data box of the first sheet: smaller on a landscape sheet, which is lower.
  double AlturaAdicionais() const { return FOpcoes.Paisagem ? 18 : 32; }
  // Whether the document has services: the ISSQN block is printed only then.
  bool TemISSQN() const { return FNFe.total.ISSQNtot.has_value() || FNFe.emit.IM_CNAE.has_value(); }
  double LarguraComplementar() const { return FForm.LarguraUtil() * 0.7; }

  std::string InformacoesComplementares() const {
    std::vector<std::string> partes;
    if (FNFe.ide.tpAmb == "2")
      partes.emplace_back("EMITIDA EM AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL");
    if (Contingencia()) {
      std::string texto = "DANFE EM CONTINGÊNCIA, IMPRESSO EM DECORRÊNCIA DE PROBLEMAS TÉCNICOS.";
      if (FNFe.ide.dhCont_xJust)
        texto += " Entrada em contingência: " + FormatarDataHoraXML(FNFe.ide.dhCont_xJust->dhCont) +
                 ". Justificativa: " + FNFe.ide.dhCont_xJust->xJust;
      partes.push_back(texto);
    }
    if (FNFe.infAdic) {
      if (!FNFe.infAdic->infAdFisco.empty()) partes.push_back(FNFe.infAdic->infAdFisco);
      if (!FNFe.infAdic->infCpl.empty()) partes.push_back(FNFe.infAdic->infCpl);
      for (const nfe::TobsCont& o : FNFe.infAdic->obsCont)
        partes.push_back(o.xCampo + ": " + o.xTexto);
    }
    std::string texto;
    for (const std::string& p : partes) texto += (texto.empty() ? "" : "\n") + p;
    return texto;
  }

  void Folha(const TFolhaDANFE& folha, size_t numero, size_t total,
             const std::vector<std::vector<std::string>>& linhas,
             const std::vector<double>& alturas) {
    FForm.SetY(kMargem);
    if (numero == 1) Canhoto();
    Cabecalho(numero, total);
    if (numero == 1) {
      Destinatario();
      Fatura();
      Imposto();
      Transporte();
    }
    const double fimTabela = numero == 1 ? FDoc.Altura() - kMargem - AlturaRodape() : 0;
    if (folha.ItemFim > folha.ItemInicio || numero == 1)
      Produtos(folha, linhas, alturas, fimTabela);
    if (numero == 1) {
      if (TemISSQN()) ISSQN();
      FForm.TituloBloco("Dados adicionais");
      Adicionais(folha.Adicionais, AlturaAdicionais(), true);
    } else if (!folha.Adicionais.empty()) {
      FForm.TituloBloco("Dados adicionais (continuação)");
      Adicionais(folha.Adicionais, FForm.AlturaRestante(), false);
    }
    Marcas();
  }

  void Canhoto() {
    const double x = kMargem;
    const double y = FForm.Y();
    const double largura = FForm.LarguraUtil();
    const double caixaNF = 34;
    const std::string recebemos =
        "RECEBEMOS DE " + MaiusculasImpressao(FNFe.emit.xNome) +
        " OS PRODUTOS E/OU SERVIÇOS CONSTANTES DA NOTA FISCAL ELETRÔNICA INDICADA AO LADO. "
        "EMISSÃO: " +
        FormatarDataHoraXML(FNFe.ide.dhEmi).substr(0, 10) + " VALOR TOTAL: R$ " +
        FormatarValor(FNFe.total.ICMSTot.vNF) +
        " DESTINATÁRIO: " + (FNFe.dest ? MaiusculasImpressao(FNFe.dest->xNome) : "");
    FDoc.Retangulo({x, y, largura - caixaNF, 9});
    FDoc.Texto({x + 0.6, y + 0.4, largura - caixaNF - 1.2, 8.2}, recebemos,
               FForm.Estilo().TituloCampo);
    // The stub's second row stops where the NF-e box begins.
    const double data = (largura - caixaNF) / 4.5;
    CampoSolto({x, y + 9, data, kLinha}, {"Data de recebimento", ""});
    CampoSolto({x + data, y + 9, largura - caixaNF - data, kLinha},
               {"Identificação e assinatura do recebedor", ""});
    const TCaixaPDF nf{x + largura - caixaNF, y, caixaNF, 9 + kLinha};
    FDoc.Retangulo(nf);
    FDoc.Texto({nf.X, nf.Y + 1.5, nf.Largura, 14},
               "NF-e\nNº " + NumeroNota() + "\nSÉRIE " + FNFe.ide.serie,
               {"Liberation Serif", 10, true}, kCen);
    const double corte = y + 9 + kLinha + 2.5;
    for (double xx = x; xx < x + largura; xx += 3) FDoc.Linha(xx, corte, xx + 1.5, corte, 0.15);
    FForm.SetY(y + kCanhoto);
  }

  void CampoSolto(const TCaixaPDF& caixa, const TCampoPDF& campo) {
    FDoc.Retangulo(caixa);
    FDoc.Texto({caixa.X + 0.6, caixa.Y + 0.3, caixa.Largura - 1.2, 2.6},
               MaiusculasImpressao(campo.Titulo), FForm.Estilo().TituloCampo);
    FDoc.Texto({caixa.X + 0.6, caixa.Y + 2.9, caixa.Largura - 1.2, caixa.Altura - kTituloCampo},
               campo.Valor, FForm.Estilo().Valor, campo.Alinhamento, FForm.Estilo().ValorMinimo);
  }

  std::string NumeroNota() const {
    std::string n = FNFe.ide.nNF;
    if (n.size() < 9) n.insert(0, 9 - n.size(), '0');
    return n.substr(0, 3) + "." + n.substr(3, 3) + "." + n.substr(6, 3);
  }

  void Cabecalho(size_t numero, size_t total) {
    const double y = FForm.Y();
    const double largura = FForm.LarguraUtil();
    const double emitente = largura * 0.4;
    const double danfe = 36;
    const double chave = largura - emitente - danfe;
    QuadroEmitente(FDoc, {kMargem, y, emitente, kCabecalho}, FNFe.emit, FOpcoes.Logo);

    const double xd = kMargem + emitente;
    FDoc.Retangulo({xd, y, danfe, kCabecalho});
    FDoc.Texto({xd, y + 1, danfe, 6}, "DANFE", {"Liberation Serif", 14, true}, kCen);
    FDoc.Texto({xd + 1, y + 7, danfe - 2, 6}, "Documento Auxiliar da Nota Fiscal Eletrônica",
               {"Liberation Serif", 7, false}, kCen);
    FDoc.Texto({xd + 2, y + 14, 20, 8}, "0 - ENTRADA\n1 - SAÍDA", {"Liberation Serif", 8, false});
    FDoc.Retangulo({xd + danfe - 10, y + 14.5, 6, 6});
    FDoc.Texto({xd + danfe - 10, y + 14.8, 6, 6}, FNFe.ide.tpNF, {"Liberation Serif", 11, true},
               kCen);
    FDoc.Texto({xd, y + 22, danfe, 14},
               "Nº " + NumeroNota() + "\nSÉRIE " + FNFe.ide.serie + "\nFOLHA " +
                   std::to_string(numero) + "/" + std::to_string(total),
               {"Liberation Serif", 10, true}, kCen);

    const double xc = xd + danfe;
    FDoc.Retangulo({xc, y, chave, kCabecalho});
    FDoc.CodigoBarras128({xc + 1, y + 1.5, chave - 2, 13}, FChave);
    CampoSolto({xc, y + 16, chave, 8}, {"Chave de acesso", FormatarChaveAcesso(FChave), 1, kCen});
    // On a security form the second code, with the data of the document, takes the place of
    // the consultation note: the document is not authorised yet.
    if (!FDadosContingencia.empty())
      FDoc.CodigoBarras128({xc + 1, y + 25.5, chave - 2, kCabecalho - 26.5}, FDadosContingencia);
    else
      FDoc.Texto({xc + 1, y + 25, chave - 2, kCabecalho - 26},
                 "Consulta de autenticidade no portal nacional da NF-e "
                 "www.nfe.fazenda.gov.br/portal ou no site da Sefaz Autorizadora",
                 {"Liberation Serif", 8, false}, kCen, 6);
    FForm.SetY(y + kCabecalho);

    std::vector<TCampoPDF> operacao{{"Natureza da operação", FNFe.ide.natOp, 1.4}};
    if (!FDadosContingencia.empty())
      operacao.push_back({"Dados da NF-e", FormatarChaveAcesso(FDadosContingencia), 1, kCen});
    if (Autorizada()) {
      operacao.push_back({"Protocolo de autorização de uso",
                          FNota.protNFe->infProt.nProt + " - " +
                              FormatarDataHoraXML(FNota.protNFe->infProt.dhRecbto),
                          1, kCen});
    } else if (FDadosContingencia.empty()) {
      operacao.push_back({"Protocolo de autorização de uso",
                          Contingencia()
                              ? "DANFE EM CONTINGÊNCIA - IMPRESSO EM DECORRÊNCIA DE PROBLEMAS "
                                "TÉCNICOS"
                              : "NF-e SEM PROTOCOLO DE AUTORIZAÇÃO DE USO",
                          1, kCen});
    }
    FForm.LinhaCampos(operacao, kLinha);
    const nfe::Temit& e = FNFe.emit;
    FForm.LinhaCampos({{"Inscrição estadual", e.IE, 1},
                       {"Inscrição estadual do subst. trib.", e.IEST, 1},
                       {"CNPJ", DocumentoDe(e.CNPJ_CPF), 1}},
                      kLinha);
    FForm.Espaco(1);
  }

  void Destinatario() {
    FForm.TituloBloco("Destinatário/remetente");
    nfe::Tdest vazio;
    const nfe::Tdest& d = FNFe.dest ? *FNFe.dest : vazio;
    const nfe::TenderDest end = d.enderDest.value_or(nfe::TenderDest{});
    const std::string saida = FormatarDataHoraXML(FNFe.ide.dhSaiEnt);
    FForm.LinhaCampos({{"Nome/razão social", d.xNome, 4},
                       {"CNPJ/CPF", DocumentoDe(d.CNPJ_CPF_idEstrangeiro), 1.6},
                       {"Data da emissão", FormatarDataHoraXML(FNFe.ide.dhEmi).substr(0, 10), 1}},
                      kLinha);
    FForm.LinhaCampos({{"Endereço", Endereco(end.xLgr, end.nro, end.xCpl), 3.2},
                       {"Bairro/distrito", end.xBairro, 1.6},
                       {"CEP", FormatarCEP(end.CEP), 0.8},
                       {"Data da saída/entrada", saida.substr(0, 10), 1}},
                      kLinha);
    FForm.LinhaCampos({{"Município", end.xMun, 2.6},
                       {"Fone/fax", end.fone, 1.2},
                       {"UF", end.UF, 0.4},
                       {"Inscrição estadual", d.IE, 1.4},
                       {"Hora da saída/entrada", saida.size() > 11 ? saida.substr(11) : "", 1}},
                      kLinha);
  }

  void Fatura() {
    if (!FNFe.cobr || FNFe.cobr->dup.empty()) return;
    FForm.TituloBloco("Fatura/duplicatas");
    std::vector<TCampoPDF> campos;
    for (const nfe::Tdup& dup : FNFe.cobr->dup) {
      campos.push_back({"Nº " + dup.nDup,
                        FormatarDataHoraXML(dup.dVenc) + "  R$ " + FormatarValor(dup.vDup), 1});
      if (campos.size() == 6) {
        FForm.LinhaCampos(campos, kLinha);
        campos.clear();
      }
    }
    if (!campos.empty()) {
      campos.resize(6, {"", "", 1});
      FForm.LinhaCampos(campos, kLinha);
    }
  }

  void Imposto() {
    const nfe::TICMSTot& t = FNFe.total.ICMSTot;
    const auto v = [](const TDecimal& d) { return FormatarValor(d); };
    FForm.TituloBloco("Cálculo do imposto");
    FForm.LinhaCampos({{"Base de cálc. do ICMS", v(t.vBC), 1, kDir},
                       {"Valor do ICMS", v(t.vICMS), 1, kDir},
                       {"Base de cálc. ICMS S.T.", v(t.vBCST), 1, kDir},
                       {"Valor do ICMS substituição", v(t.vST), 1, kDir},
                       {"V. imp. importação", v(t.vII), 1, kDir},
                       {"V. total produtos", v(t.vProd), 1, kDir}},
                      kLinha);
    FForm.LinhaCampos({{"Valor do frete", v(t.vFrete), 1, kDir},
                       {"Valor do seguro", v(t.vSeg), 1, kDir},
                       {"Desconto", v(t.vDesc), 1, kDir},
                       {"Outras despesas", v(t.vOutro), 1, kDir},
                       {"Valor total do IPI", v(t.vIPI), 1, kDir},
                       {"V. total da nota", v(t.vNF), 1, kDir}},
                      kLinha);
  }

  void Transporte() {
    const nfe::Ttransp& t = FNFe.transp;
    const nfe::Ttransporta r = t.transporta.value_or(nfe::Ttransporta{});
    std::string placa;
    std::string uf;
    std::string rntc;
    if (const auto* veiculo = std::get_if<nfe::TveicTransp_reboque>(&t.veicTransp_vagao_balsa);
        veiculo != nullptr && veiculo->veicTransp) {
      placa = veiculo->veicTransp->placa;
      uf = veiculo->veicTransp->UF;
      rntc = veiculo->veicTransp->RNTC;
    }
    FForm.TituloBloco("Transportador/volumes transportados");
    FForm.LinhaCampos({{"Nome/razão social", r.xNome, 3},
                       {"Frete por conta", DescricaoFrete(t.modFrete), 2},
                       {"Código ANTT", rntc, 1},
                       {"Placa do veículo", placa, 1},
                       {"UF", uf, 0.4},
                       {"CNPJ/CPF", DocumentoDe(r.CNPJ_CPF), 1.6}},
                      kLinha);
    FForm.LinhaCampos({{"Endereço", r.xEnder, 4},
                       {"Município", r.xMun, 2.6},
                       {"UF", r.UF, 0.4},
                       {"Inscrição estadual", r.IE, 2}},
                      kLinha);
    const nfe::Tvol v = t.vol.empty() ? nfe::Tvol{} : t.vol.front();
    FForm.LinhaCampos({{"Quantidade", v.qVol, 1, kDir},
                       {"Espécie", v.esp, 1.4},
                       {"Marca", v.marca, 1.4},
                       {"Numeração", v.nVol, 1.4},
                       {"Peso bruto", FormatarQuantidade(v.pesoB, 3), 1.2, kDir},
                       {"Peso líquido", FormatarQuantidade(v.pesoL, 3), 1.2, kDir}},
                      kLinha);
  }

  void Produtos(const TFolhaDANFE& folha, const std::vector<std::vector<std::string>>& linhas,
                const std::vector<double>& alturas, double fimTabela) {
    FForm.TituloBloco("Dados dos produtos/serviços");
    const double topo = FForm.Y();
    double y = topo + kTituloTabela;
    double fim = fimTabela;
    if (fim == 0) {
      fim = y;
      for (size_t i = folha.ItemInicio; i < folha.ItemFim; ++i) fim += alturas[i];
    }
    double x = kMargem;
    for (size_t c = 0; c < std::size(kColunas); ++c) {
      FDoc.Retangulo({x, topo, FLarguras[c], fim - topo});
      FDoc.Texto({x + 0.3, topo + 0.4, FLarguras[c] - 0.6, kTituloTabela - 0.6}, kColunas[c].Titulo,
                 kFonteColuna, kCen);
      x += FLarguras[c];
    }
    FDoc.Linha(kMargem, y, kMargem + FForm.LarguraUtil(), y);
    for (size_t i = folha.ItemInicio; i < folha.ItemFim; ++i) {
      x = kMargem;
      for (size_t c = 0; c < std::size(kColunas); ++c) {
        FDoc.Texto({x + 0.5, y + 0.4, FLarguras[c] - 1, alturas[i] - 0.4}, linhas[i][c], kFonteItem,
                   kColunas[c].Alinhamento, 4.5);
        x += FLarguras[c];
      }
      y += alturas[i];
    }
    FForm.SetY(fim);
  }

  void ISSQN() {
    const nfe::TISSQNtot t = FNFe.total.ISSQNtot.value_or(nfe::TISSQNtot{});
    std::string im;
    if (FNFe.emit.IM_CNAE) im = FNFe.emit.IM_CNAE->IM;
    FForm.TituloBloco("Cálculo do ISSQN");
    FForm.LinhaCampos({{"Inscrição municipal", im, 1},
                       {"Valor total dos serviços", FormatarValor(t.vServ), 1, kDir},
                       {"Base de cálculo do ISSQN", FormatarValor(t.vBC), 1, kDir},
                       {"Valor do ISSQN", FormatarValor(t.vISS), 1, kDir}},
                      kLinha);
  }

  // The complementary information box, and beside it the one reserved to the tax authority.
  void Adicionais(const std::string& texto, double altura, bool fisco) {
    const double y = FForm.Y();
    const double complementar = LarguraComplementar();
    CampoSolto({kMargem, y, complementar, altura}, {"Informações complementares", texto});
    if (fisco)
      CampoSolto({kMargem + complementar, y, FForm.LarguraUtil() - complementar, altura},
                 {"Reservado ao fisco", ""});
    FForm.SetY(y + altura);
  }

  void Marcas() {
    std::vector<std::string> marcas;
    if (FOpcoes.Cancelada) marcas.emplace_back("NF-e CANCELADA");
    if (FNFe.ide.tpAmb == "2") marcas.emplace_back("SEM VALOR FISCAL");
    if (!Autorizada() && !Contingencia()) marcas.emplace_back("SEM AUTORIZAÇÃO DE USO");
    std::string texto;
    for (const std::string& m : marcas) texto += (texto.empty() ? "" : "\n") + m;
    if (!texto.empty()) FDoc.MarcaDagua(texto, 44);
  }

  const TNFeLida& FNota;
  const nfe::TinfNFe& FNFe;
  TDocumentoPDF FDoc;
  TFormularioPDF FForm;
  TOpcoesDANFE FOpcoes;
  std::string FChave;
  // The 36 characters of a security-form contingency's second code; empty otherwise.
  std::string FDadosContingencia;
  std::vector<double> FLarguras;
};

}  // namespace

std::string PDFDANFE(const TNFeLida& Nota, const TOpcoesDANFE& Opcoes, TDateTime Criacao) {
  const nfe::TinfNFe& infNFe = Nota.NFe.infNFe;
  if (infNFe.ide.mod != "55")
    throw ENivraDFeException(
        "O DANFE é impresso só para NF-e (modelo 55); o documento é do "
        "modelo " +
        infNFe.ide.mod + ".");
  if (infNFe.det.empty()) throw ENivraDFeException("A NF-e não tem itens para imprimir.");
  if (!infNFe.Id.starts_with("NFe") || infNFe.Id.size() != 47)
    throw ENivraDFeException("A NF-e não tem chave de acesso (atributo Id de infNFe).");
  return TDANFE(Nota, Opcoes, Criacao).Imprimir();
}

}  // namespace nivra
