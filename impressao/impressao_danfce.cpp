// Layout of the DANFCE: its divisions one below the other, measured first so the roll page is
// exactly as long as they are.
#include "nivranfe/impressao/impressao_danfce.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "nivranfe/impressao/documento_pdf.h"
#include "nivranfe/impressao/formatacao_impressao.h"
#include "nivranfe/impressao/valores_danfe.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

constexpr TAlinhamentoPDF kEsq = TAlinhamentoPDF::Esquerda;
constexpr TAlinhamentoPDF kCen = TAlinhamentoPDF::Centro;
constexpr TAlinhamentoPDF kDir = TAlinhamentoPDF::Direita;

// One piece of the receipt: a text (with an optional right-aligned text on the same line), a
// separating line, the QR code or the issuer's logo.
struct TPeca {
  enum TTipo { Texto, Separador, QRCode, Logo } Tipo = Texto;
  std::string Esquerda;
  std::string Direita;
  bool Negrito = false;
  TAlinhamentoPDF Alinhamento = kEsq;
};

std::string DescricaoPagamento(const nfe::TdetPag& p) {
  static const std::map<std::string, std::string> kFormas{{"01", "Dinheiro"},
                                                          {"02", "Cheque"},
                                                          {"03", "Cartão de Crédito"},
                                                          {"04", "Cartão de Débito"},
                                                          {"05", "Crédito Loja"},
                                                          {"10", "Vale Alimentação"},
                                                          {"11", "Vale Refeição"},
                                                          {"12", "Vale Presente"},
                                                          {"13", "Vale Combustível"},
                                                          {"15", "Boleto Bancário"},
                                                          {"16", "Depósito Bancário"},
                                                          {"17", "Pagamento Instantâneo (PIX)"},
                                                          {"18", "Transferência bancária"},
                                                          {"19", "Programa de fidelidade"},
                                                          {"90", "Sem pagamento"},
                                                          {"99", "Outros"}};
  if (!p.xPag.empty()) return p.xPag;
  const auto achado = kFormas.find(p.tPag);
  return achado == kFormas.end() ? p.tPag : achado->second;
}

// The divisions of the receipt, in order.
std::vector<TPeca> Pecas(const TNFeLida& nota, const std::string& url, bool logo) {
  const nfe::TinfNFe& n = nota.NFe.infNFe;
  const nfe::TICMSTot& t = n.total.ICMSTot;
  std::vector<TPeca> p;
  const auto linha = [&p](std::string esquerda, std::string direita = "", bool negrito = false) {
    p.push_back({TPeca::Texto, std::move(esquerda), std::move(direita), negrito, kEsq});
  };
  const auto centro = [&p](std::string texto, bool negrito = false) {
    p.push_back({TPeca::Texto, std::move(texto), "", negrito, kCen});
  };
  const auto separador = [&p] { p.push_back({TPeca::Separador, "", "", false, kEsq}); };

  const nfe::TenderEmit& e = n.emit.enderEmit;
  if (logo) p.push_back({TPeca::Logo, "", "", false, kCen});
  centro(n.emit.xNome, true);
  centro("CNPJ: " + DocumentoDe(n.emit.CNPJ_CPF) + "  IE: " + n.emit.IE);
  centro(Endereco(e.xLgr, e.nro, e.xCpl) + ", " + e.xBairro + ", " + e.xMun + " - " + e.UF);
  centro("Documento Auxiliar da Nota Fiscal de Consumidor Eletrônica", true);
  separador();

  linha("CÓDIGO DESCRIÇÃO / QTDE UN x VL. UNIT.", "VL. TOTAL", true);
  for (const nfe::Tdet& d : n.det) {
    linha(d.prod.cProd + " " + d.prod.xProd);
    linha("   " + FormatarQuantidade(d.prod.qCom, 3) + " " + d.prod.uCom + " x " +
              FormatarQuantidade(d.prod.vUnCom, 2),
          FormatarValor(d.prod.vProd));
  }
  separador();

  linha("Qtde. total de itens", std::to_string(n.det.size()));
  linha("Valor total R$", FormatarValor(t.vProd));
  if (!t.vDesc.Zero()) linha("Descontos R$", FormatarValor(t.vDesc));
  const TDecimal acrescimos = t.vFrete + t.vSeg + t.vOutro;
  if (!acrescimos.Zero()) linha("Acréscimos R$", FormatarValor(acrescimos));
  linha("Valor a pagar R$", FormatarValor(t.vNF), true);
  linha("FORMA DE PAGAMENTO", "VALOR PAGO", true);
  for (const nfe::TdetPag& pag : n.pag.detPag)
    linha(DescricaoPagamento(pag), FormatarValor(pag.vPag));
  if (!n.pag.vTroco.Vazio()) linha("Troco R$", FormatarValor(n.pag.vTroco));
  separador();

  if (n.ide.tpAmb == "2") centro("EMITIDA EM AMBIENTE DE HOMOLOGAÇÃO – SEM VALOR FISCAL", true);
  if (n.ide.tpEmis == "9") {
    centro("EMITIDA EM CONTINGÊNCIA", true);
    centro("Pendente de autorização");
  }
  centro("Consulte pela Chave de Acesso em", true);
  centro(url);
  centro(FormatarChaveAcesso(n.Id.substr(3)));
  separador();

  std::string consumidor = "CONSUMIDOR NÃO IDENTIFICADO";
  if (n.dest) {
    const std::string documento = DocumentoDe(n.dest->CNPJ_CPF_idEstrangeiro);
    consumidor = "CONSUMIDOR - " + (documento.empty() ? "" : documento + " - ") + n.dest->xNome;
  }
  centro(consumidor, true);
  centro("NFC-e nº " + n.ide.nNF + "  Série " + n.ide.serie + "  " +
         FormatarDataHoraXML(n.ide.dhEmi));
  if (nota.protNFe && !nota.protNFe->infProt.nProt.empty()) {
    centro("Protocolo de autorização: " + nota.protNFe->infProt.nProt, true);
    centro("Data de autorização: " + FormatarDataHoraXML(nota.protNFe->infProt.dhRecbto));
  }
  p.push_back({TPeca::QRCode, "", "", false, kEsq});

  TDecimal tributos = t.vTotTrib;
  if (tributos.Vazio())
    for (const nfe::Tdet& d : n.det) tributos += d.imposto.vTotTrib;
  if (!tributos.Vazio())
    centro("Tributos Totais Incidentes (Lei Federal 12.741/2012): R$ " + FormatarValor(tributos));
  if (n.infAdic && !n.infAdic->infCpl.empty()) centro(n.infAdic->infCpl);
  return p;
}

class TDANFCE {
 public:
  TDANFCE(double largura, std::string qrCode, const TImagemPDF* logo)
      : FLargura(largura),
        FMargem(largura > 60 ? 3 : 2),
        FFonte{"Liberation Sans", largura > 60 ? 7.5 : 6.5, false},
        FLadoQR(largura > 60 ? 38 : 32),
        FQRCode(std::move(qrCode)),
        FLogo(logo) {}

  std::string Imprimir(const std::vector<TPeca>& pecas, TDateTime criacao) {
    std::vector<double> alturas;
    double total = 2 * FMargem;
    {
      const TDocumentoPDF rascunho(FLargura, 100);
      for (const TPeca& p : pecas) total += alturas.emplace_back(Altura(rascunho, p));
    }
    TDocumentoPDF doc(FLargura, total, "DANFCE", criacao);
    double y = FMargem;
    for (size_t i = 0; i < pecas.size(); ++i) {
      Desenhar(doc, pecas[i], y, alturas[i]);
      y += alturas[i];
    }
    return doc.Terminar();
  }

 private:
  double Util() const { return FLargura - 2 * FMargem; }
  TFontePDF Fonte(const TPeca& p) const { return {FFonte.Familia, FFonte.Tamanho, p.Negrito}; }
  // The width of the right-aligned text: a third of the line when there is one.
  // The logo's height: at most 18 mm, less when it is too wide for the paper at that height.
  double AlturaLogo() const { return std::min(18.0, Util() / FLogo->Proporcao()); }
  double LarguraDireita(const TPeca& p) const { return p.Direita.empty() ? 0 : Util() * 0.32; }
  double Altura(const TDocumentoPDF& doc, const TPeca& p) const {
    switch (p.Tipo) {
      case TPeca::Separador:
        return 2;
      case TPeca::QRCode:
        return FLadoQR + 1;
      case TPeca::Logo:
        return AlturaLogo() + 1.5;
      case TPeca::Texto:
        break;
    }
    return doc.AlturaTexto(p.Esquerda, Fonte(p), Util() - LarguraDireita(p)) + 0.3;
  }
  void Desenhar(TDocumentoPDF& doc, const TPeca& p, double y, double altura) {
    switch (p.Tipo) {
      case TPeca::Separador:
        doc.Linha(FMargem, y + 1, FLargura - FMargem, y + 1, 0.15);
        return;
      case TPeca::QRCode:
        doc.QRCode((FLargura - FLadoQR) / 2, y, FLadoQR, FQRCode);
        return;
      case TPeca::Logo:
        doc.Imagem({FMargem, y, Util(), AlturaLogo()}, *FLogo);
        return;
      case TPeca::Texto:
        break;
    }
    const double direita = LarguraDireita(p);
    doc.Texto({FMargem, y, Util() - direita, altura}, p.Esquerda, Fonte(p), p.Alinhamento);
    if (direita > 0)
      doc.Texto({FLargura - FMargem - direita, y, direita, altura}, p.Direita, Fonte(p), kDir);
  }

  double FLargura;
  double FMargem;
  TFontePDF FFonte;
  double FLadoQR;
  std::string FQRCode;
  const TImagemPDF* FLogo;
};

}  // namespace

std::string PDFDANFCE(const TNFeLida& Nota, const TOpcoesDANFCE& Opcoes, TDateTime Criacao) {
  const nfe::TNFe& nfe = Nota.NFe;
  if (nfe.infNFe.ide.mod != "65")
    throw ENivraDFeException(
        "O DANFCE é impresso só para NFC-e (modelo 65); o documento é do "
        "modelo " +
        nfe.infNFe.ide.mod + ".");
  if (!nfe.infNFe.Id.starts_with("NFe") || nfe.infNFe.Id.size() != 47)
    throw ENivraDFeException("A NFC-e não tem chave de acesso (atributo Id de infNFe).");
  if (!nfe.infNFeSupl || nfe.infNFeSupl->qrCode.empty())
    throw ENivraDFeException("A NFC-e não tem o QR Code (infNFeSupl/qrCode) para imprimir.");
  if (Opcoes.LarguraPapel != 80 && Opcoes.LarguraPapel != 58)
    throw ENivraDFeException("Largura de papel do DANFCE não suportada: use 80 ou 58 mm.");
  const std::string url =
      Opcoes.URLConsulta.empty() ? nfe.infNFeSupl->urlChave : Opcoes.URLConsulta;
  return TDANFCE(Opcoes.LarguraPapel, nfe.infNFeSupl->qrCode, Opcoes.Logo)
      .Imprimir(Pecas(Nota, url, Opcoes.Logo != nullptr), Criacao);
}

}  // namespace nivra
