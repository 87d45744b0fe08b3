// Header texts of outgoing e-mail: addresses, encoded words, dates and attachment names.
#include "nivranfe/dfe/mail_cabecalhos.h"

#include <gtest/gtest.h>

#include <string>

#include "nivranfe/util/compactacao.h"
#include "tests/fakes/mensagem_de.h"

namespace nivra {

namespace {

TEST(MailCabecalhos, AddressesAreSplitAndChecked) {
  const struct {
    const char* texto;
    const char* nome;
    const char* endereco;
  } validos[] = {
      {"cliente@exemplo.com.br", "", "cliente@exemplo.com.br"},
      {"  João <joao@exemplo.com.br> ", "João", "joao@exemplo.com.br"},
      {"\"Silva, João\" <joao@exemplo.com.br>", "Silva, João", "joao@exemplo.com.br"},
  };
  for (const auto& c : validos) {
    const TEnderecoMail e = LerEnderecoMail(c.texto);
    EXPECT_EQ(e.Nome, c.nome) << c.texto;
    EXPECT_EQ(e.Endereco, c.endereco) << c.texto;
  }
  for (const char* ruim : {"", "sem-arroba", "@exemplo.com", "a@", "a@b@c", "a b@c.d",
                           "Nome <a@b.c", "a@b.c\r\nBcc: x@y.z", "No\nme <a@b.c>"}) {
    EXPECT_EQ(MensagemDe([&] { (void)LerEnderecoMail(ruim); }),
              std::string("Endereço de e-mail inválido: ") + ruim);
  }
}

TEST(MailCabecalhos, NamesAreQuotedOrEncoded) {
  EXPECT_EQ(FormatarEnderecoMail({"", "a@b.c"}), "a@b.c");
  EXPECT_EQ(FormatarEnderecoMail({"Silva, \"Jr\"", "a@b.c"}), "\"Silva, \\\"Jr\\\"\" <a@b.c>");
  EXPECT_EQ(FormatarEnderecoMail({"Ação", "a@b.c"}), "=?UTF-8?B?QcOnw6Nv?= <a@b.c>");
}

TEST(MailCabecalhos, EncodedWordsStayShortAndKeepCharactersWhole) {
  EXPECT_EQ(CodificarTextoCabecalho("Nota fiscal 123"), "Nota fiscal 123");
  EXPECT_EQ(CodificarTextoCabecalho("Ação"), "=?UTF-8?B?QcOnw6Nv?=");
  // A Windows-1252 byte (0xE7, "ç") is read as that character.
  EXPECT_EQ(CodificarTextoCabecalho("A\xE7o"), "=?UTF-8?B?QcOnbw==?=");
  EXPECT_EQ(CodificarTextoCabecalho("linha\r\nnova ç"), CodificarTextoCabecalho("linha  nova ç"));

  std::string longo;
  for (int i = 0; i < 40; ++i) longo += "ção ";
  const std::string codificado = CodificarTextoCabecalho(longo);
  std::string decodificado;
  size_t inicio = 0;
  while (inicio < codificado.size()) {
    size_t fim = codificado.find("\r\n ", inicio);
    if (fim == std::string::npos) fim = codificado.size();
    const std::string palavra = codificado.substr(inicio, fim - inicio);
    EXPECT_LE(palavra.size(), 64u);
    ASSERT_TRUE(palavra.starts_with("=?UTF-8?B?") && palavra.ends_with("?=")) << palavra;
    const std::string bytes = DecodificarBase64(palavra.substr(10, palavra.size() - 12));
    // Each word decodes on its own to whole characters: it never ends inside "ç" or "ã".
    EXPECT_NE(static_cast<unsigned char>(bytes.back()), 0xC3u) << palavra;
    decodificado += bytes;
    inicio = fim + 3;
  }
  EXPECT_EQ(decodificado, longo);
}

TEST(MailCabecalhos, DatesNameTheWeekdayAndTheOffset) {
  const struct {
    TDateTime quando;
    const char* fuso;
    const char* esperado;
  } casos[] = {
      {CodificarDataHora(2026, 12, 10, 14, 30, 5), "-03:00", "Thu, 10 Dec 2026 14:30:05 -0300"},
      {CodificarDataHora(2000, 1, 1), "+00:00", "Sat, 01 Jan 2000 00:00:00 +0000"},
      {CodificarDataHora(1999, 12, 31, 23, 59, 59), "-02:00", "Fri, 31 Dec 1999 23:59:59 -0200"},
      {CodificarDataHora(2024, 2, 29, 8), "+05:30", "Thu, 29 Feb 2024 08:00:00 +0530"},
  };
  for (const auto& c : casos) EXPECT_EQ(DataMail(c.quando, c.fuso), c.esperado);
}

TEST(MailCabecalhos, AttachmentNamesAndTypes) {
  EXPECT_EQ(DisposicaoAnexo("nota.xml"), "attachment; filename=\"nota.xml\"");
  EXPECT_EQ(DisposicaoAnexo("a\"b.pdf"), "attachment; filename=\"a\\\"b.pdf\"");
  EXPECT_EQ(DisposicaoAnexo("ção 1.pdf"), "attachment; filename*=UTF-8''%C3%A7%C3%A3o%201.pdf");
  EXPECT_EQ(TipoAnexo("x-nfe.XML"), "application/xml");
  EXPECT_EQ(TipoAnexo("danfe.pdf"), "application/pdf");
  EXPECT_EQ(TipoAnexo("sem-extensao"), "application/octet-stream");
}

}  // namespace

}  // namespace nivra
