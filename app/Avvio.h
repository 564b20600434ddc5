#pragma once
#include <QWidget>

class Link;
class Picture;

// The main menu: three working areas, information, help, credits, the vendor's site and exit.
class TfrmAvvio : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);

    Picture *imgAnagrafica, *btnAnagrafica, *infAnagrafica;
    Picture *imgBollettini, *btnBollettini, *infBollettini;
    Picture *imgScadenze, *btnScadenze, *infScadenze;
    Picture *imgInfo, *imgGuida, *imgCopyright, *imgSito, *imgEsci;
    Picture *imgTitolo, *imgSottotitolo;
    // The safety copies, beside the information icon: a picture and its label.
    Picture *imgCopie;
    Link *lnkCopie;

    void imgAnagraficaClick();
    void imgBollettiniClick();
    void imgScadenzeClick();
    void imgInfoClick();
    void imgCopieClick();
    void imgGuidaClick();
    void imgCopyrightClick();
    void imgSitoClick();
    void imgEsciClick();
    // A column whose editor is not built is shown disabled; called once the windows exist.
    void updateTiles();

protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
};
