// The actions of documento-nfe over the component: each returns the program's exit
// status and writes its result to standard output, its problems to standard error.
#pragma once

#include "app/documento_nfe/opcoes.h"
#include "nivranfe/dfe/nivra_nfe.h"

namespace nivra {

// Exit status of validar for a document with alerts, a bad signature or outside the schema.
inline constexpr int kSaidaInvalido = 1;

// The XML of the JSON model, with key and Id, signed when a certificate is named; with
// alerts, they go to standard error and the status is kSaidaFalha. Throws for an unreadable
// file or JSON, or a certificate that cannot sign.
int GerarDocumento(TNivraNFe& nfe, const TOpcoesDocumento& opcoes);
// The model of the XML as JSON. Throws for an unreadable file or document.
int DocumentoEmJSON(const TOpcoesDocumento& opcoes);
// The layout alerts of the document's model, its signature and the schema of the schema
// folder. Throws for an unreadable file or document.
int ValidarDocumento(TNivraNFe& nfe, const TOpcoesDocumento& opcoes);
// The print of the document (DANFE, DANFCE, event or voiding) written whole to opcoes.Saida, or
// as "<name>.pdf" in the current folder; says on standard error what it wrote (with --json,
// on standard output as JSON). Throws for an unreadable file, a document of another kind, a
// logo that cannot be read, a failed print or a file that cannot be written.
int ImprimirDocumentoPDF(TNivraNFe& nfe, const TOpcoesDocumento& opcoes);

}  // namespace nivra
