#pragma once

// A plain stand-in for the window's tube widgets, for the loader's own
// tests: texts and grid lines in members, every command call recorded.

#include "tubes/vista_valvola.h"

#include <QMap>
#include <QStringList>

class VistaValvolaProva : public VistaValvola {
public:
    QString riga;
    QString nomi[3];
    QStringList righe_griglia;
    QMap<NomeFile, QString> nomi_file;
    int altezza = 160;
    int larghezza = 120;
    QString foto, piedinatura;
    QStringList chiamate;

    QString testo_riga_db() const override { return riga; }
    void imposta_riga_db(const QString& t) override { riga = t; }
    QString testo_nome_valvola(int i) const override { return nomi[i]; }
    void imposta_nome_valvola(int i, const QString& t) override { nomi[i] = t; }
    void svuota_caratteristiche() override { righe_griglia.clear(); }
    void aggiungi_caratteristica(const QString& e, const QString& v, const QString& u) override
    {
        righe_griglia << e + '|' + v + '|' + u;
    }
    void imposta_nome_file(NomeFile n, const QString& t) override { nomi_file[n] = t; }
    int altezza_foto() const override { return altezza; }
    void imposta_larghezza_foto(int l) override { larghezza = l; }
    void mostra_foto(const QString& p) override { foto = p; }
    void mostra_piedinatura(const QString& p) override { piedinatura = p; }
    void Abilita_MenuFunzioni(const QString& nome) override { chiamate << "abilita " + nome; }
    void disabilita_comandi_valvola() override { chiamate << QStringLiteral("disabilita"); }
    void Init_parametri() override { chiamate << QStringLiteral("init"); }
    void avvia_timer_settab(int ms) override { chiamate << QStringLiteral("timer %1").arg(ms); }
    void chiudi_vedi_schema() override { chiamate << QStringLiteral("chiudi schema"); }
};
