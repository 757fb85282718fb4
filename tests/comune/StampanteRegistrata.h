#pragma once

#include "report/Stampa.h"

#include <QList>
#include <QStringList>

namespace windara::prova {

// Records what would go to paper: one list of lines per document.
class StampanteRegistrata : public Stampante
{
public:
    bool Dialogo(QWidget *, int &c) override
    {
        ++dialoghi;
        c = copie;
        return conferma;
    }
    void ImpostaFont(const QString &nome, int punti) override { font = nome + u' ' + QString::number(punti); }
    void Riga(const QString &testo) override { corrente << testo; }
    bool FineDocumento() override
    {
        documenti << corrente;
        corrente.clear();
        return !guasta;
    }
    QString Errore() const override { return QStringLiteral("carta esaurita"); }

    int copie = 1;
    bool conferma = true;
    bool guasta = false;
    int dialoghi = 0;
    QString font;
    QStringList corrente;
    QList<QStringList> documenti;
};

} // namespace windara::prova
