// The built status-sefaz and the certificate store's protection, with a real Secret Service
// (gnome-keyring-daemon on a private bus) and without any: importing, listing, protecting old
// entries, querying with a protected entry, removing, and where the entry's password goes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "nivranfe/security/arquivo_pfx.h"
#include "nivranfe/security/chaveiro.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/chaveiro_teste.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/programa_teste.h"
#include "tests/fakes/simulador_teste.h"
#include "tests/fakes/variavel_ambiente.h"

#ifndef NIVRA_STATUS_SEFAZ
#error "NIVRA_STATUS_SEFAZ must name the built status-sefaz"
#endif

namespace nivra {

namespace {

namespace fs = std::filesystem;

class StatusSefazChaveiro : public ::testing::Test {
 protected:
  TExecucao Executar(const std::vector<std::string>& argumentos,
                     const std::string& senha = SenhaPKITeste) const {
    return RodarPrograma(NIVRA_STATUS_SEFAZ, argumentos, senha, pasta.Caminho() + "erros");
  }

  std::string Entrada(const std::string& nome) const {
    return repositorio.Caminho() + NumeroSeriePKI(nome) + ".pfx";
  }

  static bool AbreSemSenha(const std::string& arquivo) {
    try {
      (void)LerPFX(TPastaTemporaria::Ler(arquivo), "");
      return true;
    } catch (const ENivraDFeException&) {
      return false;
    }
  }

  const TRepositorioTeste repositorio;
  const TPastaTemporaria pasta;
};

std::size_t Ocorrencias(const std::string& texto, const std::string& trecho) {
  std::size_t vezes = 0;
  for (std::size_t p = texto.find(trecho); p != std::string::npos; p = texto.find(trecho, p + 1))
    ++vezes;
  return vezes;
}

TEST_F(StatusSefazChaveiro, WithoutAKeyringTheStoreWorksAsBeforeAndSaysSo) {
  // A session bus nobody listens on, as on a server.
  const TVariavelAmbiente semSessao("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/nivra");
  const std::string aviso =
      "nenhum chaveiro (Secret Service) responde nesta sessão; as entradas do repositório";

  const TExecucao importada = Executar({"--importar-certificado", PastaPKITeste() + "empresa.pfx"});
  EXPECT_EQ(importada.Saida, 0) << importada.Erros;
  EXPECT_EQ(Ocorrencias(importada.Erros, aviso), 1U) << importada.Erros;
  EXPECT_TRUE(AbreSemSenha(Entrada("empresa")));

  const TExecucao lista = Executar({"--listar-certificados"}, "");
  EXPECT_EQ(lista.Saida, 0) << lista.Erros;
  EXPECT_EQ(Ocorrencias(lista.Texto, "Aviso: " + aviso), 1U) << lista.Texto;

  struct TCaso {
    std::vector<std::string> Argumentos;
    const char* Erro;
  };
  const TCaso recusas[] = {
      {{"--importar-certificado", PastaPKITeste() + "vencida.pfx", "--exigir-chaveiro"},
       "Nenhum chaveiro (Secret Service) responde nesta sessão, e a proteção do certificado pelo "
       "chaveiro é exigida: o certificado não foi importado\n"},
      {{"--proteger-certificados"},
       "Nenhum chaveiro (Secret Service) responde nesta sessão: os certificados não podem ser "
       "protegidos\n"},
  };
  for (const TCaso& caso : recusas) {
    const TExecucao e = Executar(caso.Argumentos);
    EXPECT_EQ(e.Saida, 3) << caso.Argumentos[0];
    EXPECT_EQ(e.Erros, caso.Erro);
  }
  EXPECT_FALSE(fs::exists(Entrada("vencida")));
  EXPECT_TRUE(AbreSemSenha(Entrada("empresa")));

  const TExecucao removida = Executar({"--remover-certificado", NumeroSeriePKI("empresa")}, "");
  EXPECT_EQ(removida.Saida, 0) << removida.Erros;
  EXPECT_EQ(removida.Texto, "removido: " + Entrada("empresa") +
                                "\nNenhum chaveiro (Secret Service) responde nesta sessão: a "
                                "senha do certificado, se houver, continua nele.\n");
  EXPECT_FALSE(fs::exists(Entrada("empresa")));
}

TEST_F(StatusSefazChaveiro, OldEntriesAreProtectedThenQueryAndAreRemovedWithTheirPassword) {
  static TChaveiroTeste chaveiro;
  const std::vector<std::string> nomes = {"empresa", "vencida"};
  for (const std::string& nome : nomes)
    fs::copy_file(PastaPKITeste() + "repositorio/" + nome + ".pfx", Entrada(nome));

  const TExecucao antes = Executar({"--listar-certificados"}, "");
  EXPECT_NE(antes.Texto.find("Aviso: 2 entrada(s) do repositório abrem sem senha; proteja-as com "
                             "status-sefaz --proteger-certificados.\n"),
            std::string::npos)
      << antes.Texto;

  const TExecucao protecao = Executar({"--proteger-certificados"}, "");
  EXPECT_EQ(protecao.Saida, 0) << protecao.Erros;
  EXPECT_EQ(protecao.Texto, "protegido: " + Entrada("empresa") +
                                "\nprotegido: " + Entrada("vencida") +
                                "\n2 entrada(s) protegida(s) agora, 0 já protegida(s), 0 com falha "
                                "(mantida(s) como estavam).\n");
  for (const std::string& nome : nomes) EXPECT_FALSE(AbreSemSenha(Entrada(nome))) << nome;
  const TExecucao depois = Executar({"--listar-certificados"}, "");
  EXPECT_EQ(depois.Texto.find("Aviso"), std::string::npos) << depois.Texto;
  EXPECT_NE(depois.Texto.find(NumeroSeriePKI("vencida") + " | A1\n"), std::string::npos);

  // The protected entry signs in a real TLS handshake.
  TSimuladorTeste simulador;
  const std::string servicos = pasta.Caminho() + "servicos.ini";
  TPastaTemporaria::Escrever(
      servicos, "[NFe_PR_P]\nNfeStatusServico_4.00=" + simulador.URL() + "/ws/status.asmx\n");
  const TExecucao consulta = Executar({"--uf", "PR", "--servicos", servicos, "--schemas",
                                       NIVRA_SCHEMAS, "--certificado", NumeroSeriePKI("empresa")},
                                      "");
  EXPECT_EQ(consulta.Saida, 0) << consulta.Erros;
  EXPECT_EQ(consulta.PrimeiraLinha(), "107 - Serviço em Operação");
  EXPECT_EQ(consulta.Erros, "");

  const TExecucao importada = Executar(
      {"--importar-certificado", PastaPKITeste() + "empresa-senha-longa.pfx", "--exigir-chaveiro"},
      SenhaLongaPKITeste);
  EXPECT_EQ(importada.Saida, 0) << importada.Erros;
  EXPECT_NE(importada.Texto.find("A chave está cifrada; a senha dela está no chaveiro da sessão."),
            std::string::npos);

  // Neither the entry's password nor the file's reaches what the program wrote.
  const TSenhaSecreta senha = ChaveiroDaSessao().Buscar(NumeroSeriePKI("empresa"));
  ASSERT_FALSE(senha.Vazia());
  std::vector<std::string> escritos;
  for (const TExecucao* e : {&antes, &protecao, &depois, &consulta, &importada})
    escritos.insert(escritos.end(), {e->Texto, e->Erros});
  for (const auto& item : fs::directory_iterator(repositorio.Caminho()))
    escritos.push_back(TPastaTemporaria::Ler(item.path().string()));
  for (const std::string& texto : escritos) {
    EXPECT_EQ(texto.find(senha.Texto()), std::string::npos);
    EXPECT_EQ(texto.find(SenhaLongaPKITeste), std::string::npos);
  }

  const TExecucao removida = Executar({"--remover-certificado", NumeroSeriePKI("empresa")}, "");
  EXPECT_EQ(removida.Saida, 0) << removida.Erros;
  EXPECT_EQ(removida.Texto,
            "removido: " + Entrada("empresa") + "\nSenha do certificado removida do chaveiro.\n");
  EXPECT_TRUE(chaveiro.Rotulos(NumeroSeriePKI("empresa")).empty());
  EXPECT_EQ(chaveiro.Rotulos(NumeroSeriePKI("vencida")).size(), 1U);
  const TExecucao denovo = Executar({"--remover-certificado", NumeroSeriePKI("empresa")}, "");
  EXPECT_EQ(denovo.Saida, 3);
  EXPECT_EQ(denovo.Erros,
            "Certificado \"" + NumeroSeriePKI("empresa") + "\" não encontrado no repositório\n");
}

}  // namespace

}  // namespace nivra
