#!/usr/bin/env python3
"""Gera o modelo C++ de um leiaute a partir da sua tabela de campos (leiaute_nfe.tab).

Uso: gerar_leiaute.py TABELA SAIDA.h [NAMESPACE]   (namespace nivra::nfe quando omitido)

Cada grupo vira uma struct com um membro por elemento; cada escolha, um std::variant das
alternativas; cada struct ganha uma função Visitar que passa os membros, na ordem do leiaute e
com a descrição de cada um, a um visitante (o escritor, o leitor e o JSON).
"""
import os
import sys


class No:
    def __init__(self, nome, tipo, ocor, tam, valores, pai):
        # "elemento:Modelo" dá ao grupo o nome de struct T<elemento><Modelo>.
        self.nome, _, modelo = nome.partition(':')
        self.base = self.nome + modelo
        self.tipo, self.tam, self.valores, self.pai = tipo, tam, valores, pai
        partes = ocor.split('..')
        self.omin = int(partes[0])
        fim = partes[-1]
        self.omax = -1 if fim == 'n' else int(fim)
        self.filhos = []
        self.struct = None
        self.membro = None


def ler_tabela(caminho):
    raizes, pilha = [], []
    with open(caminho, encoding='utf-8') as arq:
        for numero, linha in enumerate(arq, 1):
            if not linha.strip() or linha.lstrip().startswith('#'):
                continue
            recuo = len(linha) - len(linha.lstrip(' '))
            if recuo % 2:
                sys.exit(f'{caminho}:{numero}: recuo ímpar')
            nivel = recuo // 2
            colunas = linha.strip().split('\t')
            colunas += [''] * (5 - len(colunas))
            nome, tipo, ocor, tam, valores = colunas[:5]
            del pilha[nivel:]
            pai = pilha[-1] if pilha else None
            no = No(nome.strip('()'), tipo, ocor, tam, valores, pai)
            (pai.filhos if pai else raizes).append(no)
            pilha.append(no)
    # Um grupo sem filhos com o nome de uma raiz anterior é essa raiz.
    por_nome = {}
    for raiz in raizes:
        for no in raiz.filhos:
            if no.tipo == 'G' and not no.filhos and no.nome in por_nome:
                no.filhos = por_nome[no.nome].filhos
        por_nome[raiz.nome] = raiz
    return raizes


def partes_valores(coluna):
    """Os valores aceitos ("=a|b", "=*a|b" fazendo de a o valor inicial), o formato ("%cnpj")
    e a chave de uma escolha ("chave=campo") da coluna de valores."""
    valores, formato, chave, inicial = coluna, '', '', False
    if valores.startswith('chave='):
        return '', '', valores[6:], False
    if valores.startswith('%'):
        valores, formato = '', valores[1:]
    elif ' %' in valores:
        valores, _, formato = valores.rpartition(' %')
    if valores.startswith('=*'):
        valores, inicial = '=' + valores[2:], True
    lista = valores[1:].split('|') if valores.startswith('=') else []
    return lista, formato, chave, inicial or len(lista) == 1


FOLHAS = {'C', 'N', 'D', 'H', 'DT', 'B', 'X'}


def assinatura(no):
    if no.tipo in FOLHAS:
        return f'{no.nome}:{no.tipo}:{no.omin}:{no.omax}:{no.tam}:{no.valores}'
    return f'{no.nome}:{no.tipo}[' + ','.join(assinatura(f) for f in no.filhos) + ']'


class Gerador:
    def __init__(self):
        self.structs = []  # (nome, no) na ordem de definição
        self.por_assinatura = {}
        self.usados = set()
        self.campos, self.grupos, self.escolhas, self.alternativas = [], [], [], []

    def nome_struct(self, no, base):
        chave = assinatura(no) if no.tipo != 'alt' else 'alt:' + assinatura(no.filhos[0])
        if chave in self.por_assinatura:
            return self.por_assinatura[chave], False
        nome = 'T' + base
        pai = no.pai
        while nome in self.usados:
            nome = 'T' + (pai.base if pai else 'X') + '_' + nome[1:]
            pai = pai.pai if pai else None
        self.usados.add(nome)
        self.por_assinatura[chave] = nome
        return nome, True

    # Membros de uma struct: os filhos do nó, em ordem.
    def preparar(self, no):
        for filho in no.filhos:
            if filho.tipo == 'G':
                self.preparar(filho)
                filho.struct, novo = self.nome_struct(filho, filho.base)
                if novo:
                    self.structs.append((filho.struct, filho))
            elif filho.tipo == 'S':
                self.preparar(filho)
                filho.struct, novo = self.nome_struct(filho, filho.nome)
                if novo:
                    self.structs.append((filho.struct, filho))
            elif filho.tipo == 'E':
                for alt in filho.filhos:
                    if alt.tipo == 'S':
                        self.preparar(alt)
                        alt.struct, novo = self.nome_struct(alt, alt.nome)
                        if novo:
                            self.structs.append((alt.struct, alt))
                        alt.transparente = True
                    elif alt.tipo == 'G' and alt.omax == 1:
                        self.preparar(alt)
                        alt.struct, novo = self.nome_struct(alt, alt.base)
                        if novo:
                            self.structs.append((alt.struct, alt))
                        alt.transparente = False
                    else:
                        # Um campo ou um grupo repetido: embrulhado numa struct de um membro.
                        if alt.tipo == 'G':
                            self.preparar(alt)
                            alt.struct_grupo, novo = self.nome_struct(alt, alt.nome)
                            if novo:
                                self.structs.append((alt.struct_grupo, alt))
                        embrulho = No(alt.nome, 'S', '1', '', '', alt.pai)
                        embrulho.filhos = [alt]
                        alt.membro = alt.nome
                        embrulho.tipo = 'alt'
                        alt.struct, novo = self.nome_struct(embrulho, alt.nome + 's'
                                                            if alt.tipo == 'G' else alt.nome)
                        if novo:
                            self.structs.append((alt.struct, embrulho))
                        alt.transparente = True
        usados = set()
        for filho in no.filhos:
            nome = filho.nome.lstrip('@')
            n = 2
            while nome in usados:
                nome = f'{filho.nome.lstrip("@")}{n}'
                n += 1
            usados.add(nome)
            filho.membro = nome

    def tipo_membro(self, f):
        if f.tipo in FOLHAS:
            base = 'TDecimal' if f.tipo == 'D' else 'std::string'
            return base if f.omax == 1 else f'std::vector<{base}>'
        if f.tipo == 'E':
            alts = ', '.join(a.struct for a in f.filhos)
            return f'std::variant<std::monostate, {alts}>'
        tipo = getattr(f, 'struct_grupo', None) or f.struct
        if f.omax != 1:
            return f'std::vector<{tipo}>'
        if f.omin == 0:
            return f'std::optional<{tipo}>'
        return tipo

    def info_campo(self, f):
        tam = f.tam
        inteiros = cmin = cmax = 0
        nao_zero = 'false'
        tmin, tmax = 0, 0
        if f.tipo == 'D':
            nao_zero = 'true' if tam.endswith('+') else 'false'
            tam = tam.rstrip('+')
            inteiros, casas = tam.split('.')
            cmin, _, cmax = casas.partition('-')
            cmax = cmax or cmin
        elif tam:
            a, _, b = tam.partition('-')
            tmin, tmax = int(a), (9999 if b == 'n' else int(b))
        lista, formato, _, _ = partes_valores(f.valores)
        valores = '|' + '|'.join(lista) + '|' if lista else ''
        omax = 9999 if f.omax < 0 else f.omax
        tipo = {'C': 'cTexto', 'N': 'cDigitos', 'D': 'cDecimal', 'H': 'cDataHora',
                'DT': 'cData', 'B': 'cBase64', 'X': 'cXML'}[f.tipo]
        self.campos.append(
            f'{{"{f.nome.lstrip("@")}", TTipoCampoNFe::{tipo}, {tmin}, {tmax}, {f.omin}, {omax}, '
            f'{inteiros}, {cmin}, {cmax}, {nao_zero}, "{valores}", "{formato}"}}')
        return len(self.campos) - 1

    def nomes_filhos(self, no):
        nomes = []
        for f in no.filhos:
            if f.tipo in ('E', 'S', 'alt'):
                nomes += self.nomes_filhos(f)
            elif not f.nome.startswith('@'):
                nomes.append(f.nome)
        return nomes

    def info_grupo(self, no):
        omax = 9999 if no.omax < 0 else no.omax
        filhos = '|' + '|'.join(dict.fromkeys(self.nomes_filhos(no))) + '|'
        self.grupos.append(f'{{"{no.nome}", {no.omin}, {omax}, "{filhos}"}}')
        return len(self.grupos) - 1

    def primeiros(self, no):
        if no.tipo in ('S', 'alt'):
            nomes = []
            for f in no.filhos:
                nomes += self.primeiros(f)
                if f.omin > 0 and f.tipo != 'E' or f.tipo == 'E' and f.omin > 0:
                    break
            return nomes
        if no.tipo == 'E':
            return sum((self.primeiros(a) for a in no.filhos), [])
        return [no.nome]

    def corpo_visitar(self, no):
        linhas = []
        for f in no.filhos:
            m = f'o.{f.membro}'
            if f.tipo in FOLHAS and f.nome.startswith('@'):
                linhas.append(f'  v.Atributo({m}, leiaute::kCampos[{self.info_campo(f)}]);')
            elif f.tipo in FOLHAS:
                linhas.append(f'  v.Campo({m}, leiaute::kCampos[{self.info_campo(f)}]);')
            elif f.tipo == 'G':
                linhas.append(f'  v.Grupo({m}, leiaute::kGrupos[{self.info_grupo(f)}]);')
            elif f.tipo == 'S':
                linhas.append(f'  v.Sequencia({m}, leiaute::kGrupos[{self.info_grupo(f)}]);')
            elif f.tipo == 'E':
                inicio = len(self.alternativas)
                for a in f.filhos:
                    grupo = 'nullptr' if a.transparente else f'&kGrupos[{self.info_grupo(a)}]'
                    prim = '|' + '|'.join(dict.fromkeys(self.primeiros(a))) + '|'
                    chaves = partes_valores(a.valores)[0]
                    chaves = '|' + '|'.join(chaves) + '|' if chaves else ''
                    self.alternativas.append(f'{{{grupo}, "{prim}", "{chaves}"}}')
                # A choice with an alternative that may be left out may be left out itself.
                omin = 0 if any(a.omin == 0 for a in f.filhos) else f.omin
                chave = partes_valores(f.valores)[2]
                self.escolhas.append(f'{{"{f.nome}", {omin}, &kAlternativas[{inicio}], '
                                     f'{len(f.filhos)}, "{chave}"}}')
                escolha = f'leiaute::kEscolhas[{len(self.escolhas) - 1}]'
                if chave:
                    # The alternative follows the value of a field read before the choice.
                    campo = next(c for c in no.filhos if c.nome == chave)
                    linhas.append(f'  v.Escolha({m}, {escolha}, o.{campo.membro});')
                else:
                    linhas.append(f'  v.Escolha({m}, {escolha});')
        return linhas

    def gerar(self, raizes, tabela, namespace):
        for raiz in raizes:
            self.preparar(raiz)
            raiz.struct, _ = self.nome_struct(raiz, raiz.nome)
            self.structs.append((raiz.struct, raiz))
        defs, visitas, decl = [], [], []
        for nome, no in self.structs:
            corpo = []
            for f in no.filhos:
                inicial = ''
                # A mandatory field with one accepted value, or one marked, starts with it.
                lista, _, _, com_inicial = partes_valores(f.valores)
                if f.omin > 0 and f.tipo in FOLHAS and lista and com_inicial:
                    inicial = f' = "{lista[0]}"'
                corpo.append(f'  {self.tipo_membro(f)} {f.membro}{inicial};')
            defs.append(f'struct {nome} {{\n' + '\n'.join(corpo) + '\n};\n')
            cab = (f'template <class V, class O>\n  requires std::same_as<std::remove_const_t<O>, '
                   f'{nome}>\nvoid Visitar(V& v, O& o)')
            decl.append(cab + ';')
            visitas.append(cab + ' {\n' + '\n'.join(self.corpo_visitar(no)) + '\n}\n')
        raizes_info = [f'inline const TInfoGrupo& kRaiz{r.struct[1:]} = kGrupos[{self.info_grupo(r)}];'
                       for r in raizes]
        saida = [f'// Gerado por documento/gerar_leiaute.py a partir de documento/{tabela}; '
                 'não editar.', '#pragma once', '', '#include <concepts>', '#include <optional>',
                 '#include <string>', '#include <type_traits>', '#include <variant>',
                 '#include <vector>', '', '#include "nivranfe/documento/decimal.h"',
                 '#include "nivranfe/documento/info_leiaute.h"', '',
                 '// Qt defines emit as a macro; the layout names a group emit.',
                 '#pragma push_macro("emit")', '#undef emit', '', f'namespace nivra::{namespace} {{', '']
        saida += defs
        saida += ['namespace leiaute {', '']
        saida.append(f'inline const TInfoCampo kCampos[] = {{\n    ' + ',\n    '.join(self.campos)
                     + '};')
        saida.append(f'inline const TInfoGrupo kGrupos[] = {{\n    ' + ',\n    '.join(self.grupos)
                     + '};')
        saida.append('inline const TInfoAlternativa kAlternativas[] = {\n    '
                     + ',\n    '.join(self.alternativas) + '};')
        saida.append('inline const TInfoEscolha kEscolhas[] = {\n    '
                     + ',\n    '.join(self.escolhas) + '};')
        saida += raizes_info
        saida += ['', '}  // namespace leiaute', '', '']
        saida += decl + [''] + visitas + [f'}}  // namespace nivra::{namespace}', '', '#pragma pop_macro("emit")', '']
        return '\n'.join(saida)


def main():
    raizes = ler_tabela(sys.argv[1])
    namespace = sys.argv[3] if len(sys.argv) > 3 else 'nfe'
    texto = Gerador().gerar(raizes, os.path.basename(sys.argv[1]), namespace)
    with open(sys.argv[2], 'w', encoding='utf-8') as arq:
        arq.write(texto)


if __name__ == '__main__':
    main()
