// Hands a PDF to the system's print queue (CUPS, through its `lp` command).
#pragma once

#include <string>

namespace nivra {

// Sends Pdf to the queue Impressora (the system's default when empty) under the job title
// Titulo, writing it to `lp`'s standard input; `lp` is looked for in PATH. Throws
// ENivraDFeException "Não foi possível imprimir: comando lp (CUPS) não encontrado" when there
// is none, and "Falha ao imprimir[ em <fila>]: " + what lp said when it refuses the job.
void EnviarParaImpressora(const std::string& Pdf, const std::string& Impressora,
                          const std::string& Titulo);

}  // namespace nivra
