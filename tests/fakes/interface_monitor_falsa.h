// Test double for the monitor's window: records what the logic sets and shows, and carries a
// fake clock that fires the four timers through the controller as time advances.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/interface_monitor.h"
#include "app/monitor_controlador.h"

namespace nivra {

class TInterfaceMonitorFalsa : public TInterfaceMonitor {
 public:
  struct TBalaoExibido {
    std::string Titulo;
    std::string Texto;
    TTipoBalao Tipo;
    int64_t Quando;  // fake-clock milliseconds
  };

  std::string Texto(TControle controle) const override {
    if (controle == TControle::cbUF)
      return IndiceUF < 0 ? std::string() : TMonitorControlador::ListaUF()[IndiceUF];
    const auto item = Textos.find(controle);
    return item == Textos.end() ? std::string() : item->second;
  }
  void SetTexto(TControle controle, const std::string& texto) override { Textos[controle] = texto; }
  void SetCor(TControle controle, TCor cor) override { Cores[controle] = cor; }
  void SetVisivel(TControle controle, bool visivel) override { Visiveis[controle] = visivel; }
  void SetHabilitado(TControle controle, bool habilitado) override {
    Habilitados[controle] = habilitado;
  }
  void SetPosicao(TControle, int posicao) override { Posicao = posicao; }
  void SelecionarItem(TControle, int indice) override { IndiceUF = indice; }

  void SetTimerAtivo(TTimerMonitor timer, bool ativo) override {
    TTimer& t = Timers[Indice(timer)];
    if (ativo && !t.Ativo) t.Proximo = Agora + t.Intervalo;
    t.Ativo = ativo;
  }
  bool TimerAtivo(TTimerMonitor timer) const override { return Timers[Indice(timer)].Ativo; }
  void SetIntervalo(TTimerMonitor timer, int milissegundos) override {
    TTimer& t = Timers[Indice(timer)];
    t.Intervalo = milissegundos;
    t.Proximo = Agora + milissegundos;
  }
  int Intervalo(TTimerMonitor timer) const override { return Timers[Indice(timer)].Intervalo; }

  void ExibirBalao(const std::string& titulo, const std::string& texto, TTipoBalao tipo) override {
    Baloes.push_back({titulo, texto, tipo, Agora});
  }
  void FecharBalao() override { ++BaloesFechados; }
  void MensagemErro(const std::string& texto, const std::string& titulo) override {
    Mensagens.push_back({texto, titulo});
  }
  void AbrirPagina(const std::string& endereco) override { Paginas.push_back(endereco); }
  void EsconderJanela() override { Escondida = true; }
  void RestaurarJanela() override { Escondida = false; }
  void MostrarIconeBandeja() override { IconeVisivel = true; }
  void Encerrar() override { Encerrada = true; }

  std::optional<std::size_t> SelecionarCertificado(const std::vector<TLinhaCertificado>& linhas,
                                                   const TImportarNoSeletor& importar) override {
    LinhasMostradas.push_back(linhas);
    ImportacaoOferecida = static_cast<bool>(importar);
    return Usuario ? Usuario(linhas, importar) : std::nullopt;
  }

  // Advances the fake clock by `ms`, firing every timer that falls due, in time order.
  void Avancar(int64_t ms, TMonitorControlador& controlador) {
    const int64_t fim = Agora + ms;
    for (;;) {
      TTimer* proximo = nullptr;
      std::size_t indice = 0;
      for (std::size_t i = 0; i < Timers.size(); ++i) {
        TTimer& t = Timers[i];
        if (t.Ativo && t.Proximo <= fim && (proximo == nullptr || t.Proximo < proximo->Proximo)) {
          proximo = &t;
          indice = i;
        }
      }
      if (proximo == nullptr) break;
      Agora = proximo->Proximo;
      proximo->Proximo = Agora + proximo->Intervalo;
      controlador.AoTimer(static_cast<TTimerMonitor>(indice));
    }
    Agora = fim;
  }

  // The window as the form creates it.
  std::map<TControle, std::string> Textos;
  std::map<TControle, TCor> Cores;
  std::map<TControle, bool> Visiveis{{TControle::SpeedButton1, false}};
  std::map<TControle, bool> Habilitados{{TControle::btnConsulta, true}};
  int Posicao = 0;
  int IndiceUF = 15;  // "PR"

  std::vector<TBalaoExibido> Baloes;
  int BaloesFechados = 0;
  std::vector<std::pair<std::string, std::string>> Mensagens;  // text, caption
  std::vector<std::string> Paginas;
  bool Escondida = false;
  bool IconeVisivel = false;
  bool Encerrada = false;

  // What the user does in the picker; without it the picker is cancelled.
  std::function<std::optional<std::size_t>(const std::vector<TLinhaCertificado>&,
                                           const TImportarNoSeletor&)>
      Usuario;
  std::vector<std::vector<TLinhaCertificado>> LinhasMostradas;
  bool ImportacaoOferecida = false;

  int64_t Agora = 0;

 private:
  struct TTimer {
    bool Ativo = false;
    int Intervalo = 0;
    int64_t Proximo = 0;
  };
  static std::size_t Indice(TTimerMonitor timer) { return static_cast<std::size_t>(timer); }

  std::array<TTimer, 4> Timers{};
};

}  // namespace nivra
