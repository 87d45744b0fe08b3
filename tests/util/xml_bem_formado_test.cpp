// Tests of the well-formedness check of what is saved from answers.
#include "nivranfe/util/xml_bem_formado.h"

#include <gtest/gtest.h>

#include <string>

namespace nivra {

namespace {

TEST(XmlBemFormado, AcceptsOneWholeDocumentOnly) {
  struct Caso {
    std::string texto;
    bool esperado;
  };
  const Caso casos[] = {
      {"<a><b>x &amp; y</b></a>", true},
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>S\xE3o</a>", true},
      // An element cut out of its answer keeps the prefix its parent declared.
      {"<ns2:retEvento><ns2:cStat>135</ns2:cStat></ns2:retEvento>", true},
      {"<!DOCTYPE a [<!ENTITY e \"v\">]><a>&e;</a>", true},
      {"", false},
      {"<a></a><b></b>", false},
      {"<a><b></a>", false},
      {"<a>Servi&ccedil;o</a>", false},
      {"<a>x < y</a>", false},
      {"texto <a/>", false},
  };
  for (const Caso& caso : casos) EXPECT_EQ(XMLBemFormado(caso.texto), caso.esperado) << caso.texto;
}

}  // namespace

}  // namespace nivra
