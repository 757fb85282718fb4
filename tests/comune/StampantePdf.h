#pragma once

#include "report/StampanteSistema.h"

#include <QPrinter>

namespace windara::prova {

// The real printer, pointed at a PDF file instead of showing its dialog.
class StampantePdf : public StampanteSistema
{
public:
    explicit StampantePdf(const QString &file) : m_file(file) {}
    bool Dialogo(QWidget *, int &copie) override
    {
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(m_file);
        copie = 1;
        return true;
    }

private:
    QString m_file;
};

} // namespace windara::prova
