// Tests of the run-time class names used in messages.
#include "nivranfe/util/nome_classe.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

namespace nivra {

// A class outside any namespace.
struct TGlobalDoTeste {};

namespace externo::interno {
struct TAninhada {};
}  // namespace externo::interno

namespace {

struct TBase {
  virtual ~TBase() = default;
};
struct TDerivada : TBase {};

template <typename T>
struct TModelo {};

TEST(NomeDaClasse, DropsEveryEnclosingNamespace) {
  EXPECT_EQ(NomeDaClasse(typeid(TGlobalDoTeste)), "TGlobalDoTeste");
  EXPECT_EQ(NomeDaClasse(typeid(externo::interno::TAninhada)), "TAninhada");
  EXPECT_EQ(NomeDaClasse(typeid(TBase)), "TBase");  // anonymous namespace
}

TEST(NomeDaClasse, NamesTheDynamicTypeOfAnObject) {
  const TDerivada derivada{};
  const TBase& base = derivada;
  EXPECT_EQ(NomeDaClasse(typeid(base)), "TDerivada");
}

TEST(NomeDaClasse, TemplateKeepsItsArgumentsAsWritten) {
  const std::string nome = NomeDaClasse(typeid(TModelo<externo::interno::TAninhada>));
  EXPECT_TRUE(nome.starts_with("TModelo<")) << nome;
  EXPECT_NE(nome.find("externo::interno::TAninhada>"), std::string::npos) << nome;
}

}  // namespace

}  // namespace nivra
