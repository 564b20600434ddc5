#include "agenda/ScadenzarioHelp.h"

#include <QStringList>

namespace ScadenzarioHelp {

QString title() { return QStringLiteral("Applicazione Scadenze e Appuntamenti."); }

QString text()
{
    return QStringList{
        QStringLiteral("L'applicazione Scadenze e Appuntamenti consente di tenere sotto controllo le scadenze "
                       "giornaliere, mensili o annuali delle pratiche seguite dall'ufficio: appuntamenti in Questura, "
                       "pagamenti, rinnovi. Per uno stesso giorno è possibile registrare un numero qualsiasi di "
                       "scadenze, che negli elenchi vengono sempre mostrate in ordine cronologico per data e ora; "
                       "ogni scadenza ha il proprio numero di giorni di preavviso."),
        QStringLiteral("Per creare una nuova scheda si preme il pulsante Nuovo. Per poterla salvare occorre indicare "
                       "la data e l'ora, i giorni di preavviso, il nome del richiedente, l'oggetto della pratica e la "
                       "causale della scadenza. Il nome, il codice fiscale e il telefono del richiedente possono essere "
                       "importati dall'archivio anagrafico con il pulsante Importa dati, senza doverli digitare."),
        QStringLiteral("Per le scadenze che si ripetono nel corso dell'anno si usa il pulsante Duplica: dopo aver "
                       "richiamato una scheda già salvata, tutti i dati tranne la data e l'ora vengono riportati in "
                       "una nuova scheda; basta scegliere il nuovo giorno, il mese e l'ora e premere Salva."),
        QStringLiteral("Ogni volta che si apre questa finestra il programma controlla le scadenze dell'anno in corso: "
                       "se qualcuna è entrata nel suo periodo di preavviso compare un messaggio visivo accompagnato da "
                       "un segnale acustico, e il pulsante OK apre l'elenco delle scadenze imminenti. Con il calendario "
                       "si può scegliere una data e vedere le scadenze di quel giorno o di quel mese."),
        QStringLiteral("Quando un appuntamento deve ancora essere confermato si spunta la casella Appuntamento da "
                       "confermare. Il pulsante Da confermare mostra il riepilogo di questi appuntamenti con la causale, "
                       "la data e l'ora, il richiedente, l'oggetto della pratica e l'eventuale importo da pagare."),
        QStringLiteral("Quando un pagamento viene effettuato si spunta la casella Pagamento effettuato e si salva la "
                       "scheda. Il pulsante Da effettuare mostra i pagamenti ancora da fare, scaduti e non; nel "
                       "riepilogo si può trovare una scheda con Trova e aprirla con un doppio clic."),
        QStringLiteral("Si ricorda che per ogni giorno si possono inserire tutte le scadenze necessarie: gli elenchi le "
                       "mostrano in ordine cronologico indipendentemente dall'ordine di inserimento. Il pulsante "
                       "Effettuati mostra lo storico dei pagamenti effettuati."),
        QStringLiteral("La ricerca avanzata permette di trovare le schede in archivio utilizzando più criteri "
                       "contemporaneamente, anche con parole parziali."),
        QStringLiteral("Il pulsante Esporta archivio esporta tutte le scadenze e gli appuntamenti dell'anno in un file "
                       "di Microsoft Excel."),
    }
        .join(QStringLiteral("\r\n\r\n"));
}

} // namespace ScadenzarioHelp
