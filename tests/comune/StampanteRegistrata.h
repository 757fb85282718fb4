#pragma once

#include "report/Stampa.h"

#include <QList>
#include <QStringList>

#include <limits>

namespace windara::prova {

// Records what would go to paper: one list of lines per document.
class StampanteRegistrata : public Stampante
{
public:
    void Documento(const QString &percorso) override { documento = percorso; }
    bool Dialogo(QWidget *, int &c) override
    {
        ++dialoghi;
        c = copie;
        return conferma;
    }
    void ImpostaFont(const QString &nome, int punti) override { font = nome + u' ' + QString::number(punti); }
    int RighePerPagina() override { return righePerPagina; }
    void NuovaPagina() override { ++salti; }
    void Riga(const QString &testo) override { corrente << testo; }
    bool FineDocumento() override
    {
        documenti << corrente;
        corrente.clear();
        return !guasta;
    }
    QString Annulla() override
    {
        annullata = true;
        return uscito;
    }
    QString Errore() const override { return QStringLiteral("carta esaurita"); }

    int copie = 1;
    int righePerPagina = std::numeric_limits<int>::max();
    QString uscito; // what Annulla says had gone out
    QString documento;
    int salti = 0;
    bool annullata = false;
    bool conferma = true;
    bool guasta = false;
    int dialoghi = 0;
    QString font;
    QStringList corrente;
    QList<QStringList> documenti;
};

} // namespace windara::prova
