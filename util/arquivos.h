// File and folder helpers: the program's folder, path delimiters, listing and writing files.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace nivra {

// The folder of the running program, with a trailing "/". Throws ENivraDFeException when the
// host cannot tell it.
[[nodiscard]] std::string PastaDoExecutavel();
// The trimmed path with "/" appended when it is not empty and does not end in "/".
[[nodiscard]] std::string CaminhoComBarra(std::string_view caminho);
// The value of the environment variable, or the empty text when it is not set.
[[nodiscard]] std::string VariavelAmbiente(const char* nome);
// An XDG base folder, with a trailing "/": `valor` (the variable's value) when it is an absolute
// path, else `home` + `padrao` (".config/", ".local/share/"); relative values are ignored, as
// the XDG rules ask.
[[nodiscard]] std::string PastaXdg(const std::string& valor, const std::string& home,
                                   const std::string& padrao);
// Clears lista and fills it with the names of the files matching the mask (a folder and a name
// pattern with "*" and "?"), in the order the file system gives them, each prefixed with the
// mask's folder when comPasta is set. Names containing ".." are skipped; a missing folder gives
// an empty list.
void ListarArquivos(std::string_view mascara, std::vector<std::string>& lista, bool comPasta);
// The bytes of the file. Throws ENivraDFeException when the file cannot be opened or read.
[[nodiscard]] std::string LerArquivoBinario(const std::string& caminho);
// Writes the bytes to the file, at its end when acrescentar is set and the file exists (else the
// file is created or replaced), followed by CR LF when quebraLinha is set. Throws
// ENivraDFeException when the file cannot be written.
void GravarTextoEmArquivo(const std::string& nomeArquivo, std::string_view conteudo,
                          bool acrescentar = false, bool quebraLinha = false);
// Replaces the file with the bytes as a whole or not at all: they go to a short-named
// temporary file in the same folder, are flushed to disk and renamed over the file, so a reader
// sees the old content or all the new one. A symbolic link is written through to its target; an
// existing file keeps its permission bits (and its owner, where the process may give it); a new
// one gets `modoNovo` less the umask, from its first byte on. Throws ENivraDFeException, naming
// the file and the system's reason, where a plain overwrite would have been refused (a read-only
// file, a folder) or the write fails; the file is then unchanged.
void GravarArquivoAtomico(const std::string& nomeArquivo, std::string_view bytes,
                          mode_t modoNovo = 0666);

}  // namespace nivra
