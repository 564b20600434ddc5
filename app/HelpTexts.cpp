#include "app/HelpTexts.h"

#include <QStringList>

namespace HelpTexts {
namespace {
// Paragraphs of a help text are separated by an empty line.
QString joinParagraphs(const QStringList &paragraphs) { return paragraphs.join(QStringLiteral("\r\n\r\n")); }
} // namespace

QString overviewTitle() { return QStringLiteral("Uno sguardo a Versalia."); }

QString overviewText()
{
    return joinParagraphs({
        QStringLiteral("Versalia è un software progettato per la compilazione e la stampa dei bollettini postali con "
                       "cui i cittadini stranieri pagano quanto dovuto per la richiesta o il rinnovo del permesso di "
                       "soggiorno elettronico. Accanto ai bollettini, il programma mette a disposizione un archivio "
                       "anagrafico dei richiedenti e uno scadenzario per tenere sotto controllo scadenze, "
                       "appuntamenti e pagamenti: tre ambienti di lavoro, raggiungibili dal menu principale, che "
                       "collaborano tra loro e riducono al minimo i dati da digitare."),
        QStringLiteral("I bollettini vengono conservati in archivi annuali, uno per ogni anno solare. Entrando "
                       "nell'ambiente Bollettini il programma propone l'anno in corso: è sufficiente confermarlo, "
                       "oppure scrivere un altro anno con quattro cifre, e premere il pulsante Apri. Se l'archivio "
                       "dell'anno scelto non esiste ancora, viene creato automaticamente al primo utilizzo."),
        QStringLiteral("Per compilare un bollettino si preme Nuovo, si inseriscono i dati e si conclude con Salva, "
                       "che registra la scheda nell'archivio dell'anno; le schede già salvate possono essere "
                       "modificate e salvate di nuovo in qualsiasi momento. Il pulsante Duplica crea una nuova "
                       "scheda a partire da quella visualizzata ed è il modo più rapido per preparare bollettini "
                       "simili. L'importo si digita in euro e centesimi nelle apposite caselle e il programma lo "
                       "trascrive automaticamente in lettere, così come va riportato sul modulo."),
        QStringLiteral("I dati dell'esecutore del versamento non devono essere digitati ogni volta: facendo clic "
                       "sulla freccia rossa posta sopra il campo del nome si apre la ricerca nell'archivio "
                       "anagrafico dei richiedenti e, selezionando il richiedente con un doppio clic, il nome, "
                       "l'indirizzo, il CAP e la località vengono copiati direttamente nel bollettino."),
        QStringLiteral("Il programma stampa sui bollettini della serie TD 674, sui quali sono già prestampati "
                       "l'intestatario del conto corrente, il numero del conto e la causale del versamento: Versalia "
                       "vi aggiunge soltanto i dati variabili, carattere per carattere, nelle apposite caselle. "
                       "Prima di stampare è bene controllare il risultato con l'anteprima di stampa, che mostra la "
                       "sezione destra del bollettino già compilata."),
        QStringLiteral("I bollettini TD 674 sono composti da tre sezioni e sono più lunghi di un normale foglio A4: "
                       "per stamparli occorre quindi una stampante dotata di un cassetto o di un alimentatore "
                       "manuale in grado di accettare formati di carta più grandi."),
        QStringLiteral("Il bollettino in bianco si inserisce nella stampante come un normale foglio di carta. Se i "
                       "caratteri non cadono esattamente nelle caselle prestampate, la finestra di stampa permette "
                       "di spostare l'intera stampa millimetro per millimetro, regolando il margine superiore e il "
                       "margine sinistro con i pulsanti + e -; con Applica la regolazione viene memorizzata e "
                       "riutilizzata in tutte le stampe successive."),
        QStringLiteral("Quando il richiedente ha pagato, basta spuntare la casella Saldato, indicare la data del "
                       "versamento e salvare di nuovo la scheda. Il pulsante Da saldare mostra l'elenco dei "
                       "bollettini non ancora pagati, mentre il pulsante Scaduti elenca quelli non pagati la cui "
                       "data di scadenza è già trascorsa; con un doppio clic su una voce, la scheda corrispondente "
                       "viene richiamata nella schermata di lavoro."),
        QStringLiteral("Con il pulsante Trova si cercano i bollettini dell'anno compilando uno o più campi di "
                       "ricerca contemporaneamente, anche con una sola parte del testo: per esempio una parte del "
                       "nome dell'esecutore, l'importo o la data di scadenza. L'elenco dei bollettini trovati può "
                       "essere stampato e ciascuna scheda si richiama con un doppio clic."),
        QStringLiteral("Il pulsante Esporta archivio trasferisce tutti i bollettini registrati in un anno in un "
                       "foglio di lavoro di Microsoft Excel, utile per riepiloghi, verifiche contabili e "
                       "statistiche."),
        QStringLiteral("L'ambiente Anagrafica Richiedenti è una rubrica elettronica in cui archiviare i dati dei "
                       "cittadini stranieri che si rivolgono all'ufficio per il permesso di soggiorno. Una volta "
                       "registrato, il richiedente è sempre a portata di mano: i suoi dati possono essere importati "
                       "nei bollettini e nello scadenzario senza doverli digitare di nuovo."),
        QStringLiteral("Per ogni richiedente si possono registrare i dati anagrafici e il codice fiscale, la "
                       "residenza, la cittadinanza e l'ingresso in Italia, i recapiti telefonici e l'indirizzo "
                       "e-mail, il documento di identità, il numero e la scadenza del permesso di soggiorno, i "
                       "comuni di soggiorno degli ultimi sei anni, la situazione familiare, i dati bancari e della "
                       "carta di credito, il lavoro svolto, gli eventuali precedenti penali e le note."),
        QStringLiteral("Una sezione è dedicata al contratto di lavoro: datore di lavoro, data di assunzione, "
                       "prossima scadenza del contratto, reddito annuale e giorni di preavviso. Il pulsante con il "
                       "punto esclamativo apre il riepilogo dei contratti già scaduti o entrati nel periodo di "
                       "preavviso, così da poter ricordare per tempo ai richiedenti di rinnovarli."),
        QStringLiteral("Con la funzione Allega file è possibile collegare a ogni richiedente fino a tre documenti di "
                       "qualsiasi tipo, per esempio la scansione del passaporto, del contratto di lavoro o di una "
                       "ricevuta, ciascuno accompagnato da una breve descrizione. I file vengono copiati nella "
                       "cartella Documenti_Allegati del programma e possono essere riaperti in qualsiasi momento."),
        QStringLiteral("Per registrare un nuovo richiedente si preme Nuovo, si compilano i campi e si preme Salva; "
                       "cognome, nome, data di assunzione, scadenza del contratto e giorni di preavviso sono "
                       "obbligatori. Le schede già registrate si scorrono con le frecce di navigazione e, dopo ogni "
                       "modifica, si aggiornano premendo di nuovo Salva."),
        QStringLiteral("I pulsanti di controllo posti accanto al codice fiscale, alla partita IVA, al numero della "
                       "carta di credito e all'IBAN verificano la correttezza formale del dato inserito; per una "
                       "partita IVA valida viene indicato anche l'ufficio che l'ha attribuita. Il pulsante accanto "
                       "all'indirizzo e-mail apre un nuovo messaggio indirizzato al richiedente nel programma di "
                       "posta elettronica."),
        QStringLiteral("Il pulsante Trova permette di cercare i richiedenti compilando uno o più campi di ricerca "
                       "contemporaneamente, anche con parti di parola: per esempio tutti i richiedenti di una certa "
                       "cittadinanza che lavorano presso lo stesso datore di lavoro. L'elenco trovato può essere "
                       "stampato e la scheda desiderata si richiama con un doppio clic."),
        QStringLiteral("L'intero archivio anagrafico può essere esportato in Excel, mentre la singola scheda del "
                       "richiedente può essere visualizzata in anteprima e stampata su un foglio A4."),
        QStringLiteral("L'ambiente Scadenze e appuntamenti è un'agenda annuale in cui annotare le scadenze delle "
                       "pratiche, gli appuntamenti presso la Questura, la Prefettura o altri uffici e i pagamenti da "
                       "effettuare. Come per i bollettini, all'ingresso si indica l'anno solare e si preme Apri. Per "
                       "uno stesso giorno si possono registrare tutte le scadenze necessarie, che negli elenchi "
                       "vengono mostrate in ordine di data e ora."),
        QStringLiteral("Una nuova scadenza si crea con il pulsante Nuovo. Per poterla salvare occorre indicare "
                       "giorno, mese, ora e minuti, i giorni di preavviso, il nome del richiedente, l'oggetto della "
                       "pratica e la causale della scadenza. I dati del richiedente (nome, codice fiscale e "
                       "telefono) possono essere importati dall'archivio anagrafico con il pulsante Importa dati."),
        QStringLiteral("Per gli appuntamenti e le scadenze che si ripetono nel corso dell'anno non è necessario "
                       "ricominciare da capo: il pulsante Duplica prepara una nuova scheda con tutti i dati di "
                       "quella visualizzata, tranne la data e l'ora, che vanno scelte prima di salvare."),
        QStringLiteral("Ogni volta che si entra nello scadenzario, il programma controlla le scadenze dell'anno in "
                       "corso: se qualcuna è entrata nel suo periodo di preavviso compare un avviso in rosso "
                       "accompagnato da un segnale acustico, e il pulsante OK apre l'elenco delle scadenze "
                       "imminenti. Il calendario della schermata iniziale permette inoltre di visualizzare le "
                       "scadenze di un giorno o di un mese a scelta."),
        QStringLiteral("La casella Appuntamento da confermare serve a contrassegnare gli appuntamenti in attesa di "
                       "conferma. Il pulsante Da confermare ne presenta il riepilogo, con la causale, la data e "
                       "l'ora, il richiedente, l'oggetto della pratica e l'eventuale importo da pagare."),
        QStringLiteral("Per le scadenze che comportano un pagamento si indicano l'importo e la modalità di "
                       "pagamento. Il pulsante Da effettuare elenca i pagamenti non ancora eseguiti, sia scaduti sia "
                       "in scadenza; quando il pagamento viene fatto si spunta la casella Pagamento effettuato e si "
                       "salva la scheda."),
        QStringLiteral("Il pulsante Effettuati mostra lo storico dei pagamenti già eseguiti. In tutti gli elenchi "
                       "una voce si cerca con il pulsante Trova e si richiama nella schermata di lavoro con un "
                       "doppio clic; ogni elenco può anche essere stampato."),
        QStringLiteral("La ricerca avanzata, avviata con il pulsante Trova della schermata di lavoro, combina più "
                       "criteri contemporaneamente, come la data, il richiedente, il codice fiscale, l'oggetto della "
                       "pratica, il numero di protocollo, lo stato di avanzamento o la causale, e accetta anche "
                       "parti di parola."),
        QStringLiteral("Con il pulsante Esporta archivio tutte le scadenze e gli appuntamenti dell'anno vengono "
                       "esportati in un foglio di lavoro di Excel; allo stesso modo si possono esportare gli elenchi "
                       "delle scadenze imminenti, giornaliere e mensili."),
        QStringLiteral("Tutti gli archivi di Versalia possono essere esportati in un file in formato XLS, che si "
                       "apre con Microsoft Excel, Libre Office, Open Office o con qualsiasi altro programma in grado "
                       "di leggere i fogli di calcolo."),
        QStringLiteral("Gli archivi possono essere condivisi in una rete locale: collocando la cartella del "
                       "programma in una cartella condivisa, più postazioni dell'ufficio possono consultare e "
                       "aggiornare gli stessi dati. È sufficiente evitare che due operatori modifichino "
                       "contemporaneamente la stessa scheda."),
        QStringLiteral("L'accesso al programma è protetto da una password, che può essere cambiata in qualsiasi "
                       "momento con il pulsante Cambia password della finestra di accesso. Al primo accesso la "
                       "password da utilizzare è girasolebianco, che può essere digitata indifferentemente in "
                       "lettere maiuscole o minuscole: si consiglia di sostituirla subito con una password "
                       "personale."),
        QStringLiteral("L'intera cartella del programma può essere copiata su una chiavetta USB e Versalia può "
                       "essere avviato direttamente da lì, portando con sé tutti i dati. Copiare la cartella è anche "
                       "il modo più semplice e veloce per fare una copia di sicurezza di tutti gli archivi."),
        QStringLiteral("Versalia è pensato per i patronati, i centri di assistenza e i consulenti che ogni giorno "
                       "accompagnano i cittadini stranieri nelle pratiche per il permesso di soggiorno: un unico "
                       "strumento, semplice e ordinato, per bollettini, anagrafiche e scadenze, che fa risparmiare "
                       "tempo a chi lavora allo sportello e offre un servizio più preciso a chi vi si rivolge.")
    });
}

QString slipTitle() { return QStringLiteral("Applicazione Stampa Bollettini Postali."); }

QString slipText()
{
    return joinParagraphs({
        QStringLiteral("L'applicazione Stampa Bollettini Postali è l'ambiente di lavoro dedicato alla compilazione, "
                       "all'archiviazione e alla stampa dei bollettini postali per la richiesta del permesso di "
                       "soggiorno elettronico. I bollettini sono conservati in archivi annuali, uno per ogni anno "
                       "solare: all'ingresso occorre indicare l'anno con quattro cifre (il programma propone quello "
                       "in corso) e premere il pulsante Apri. Per lavorare su un altro anno si esce dalla schermata "
                       "e vi si rientra indicando l'anno desiderato."),
        QStringLiteral("Il pulsante Nuovo prepara una scheda vuota; dopo aver inserito i dati, il pulsante Salva la "
                       "registra nell'archivio. Per salvare occorre indicare almeno l'importo con i centesimi, il "
                       "nome dell'esecutore e la data di scadenza, che si sceglie dal calendario premendo un tasto "
                       "qualsiasi nel campo. Il pulsante Duplica, disponibile dopo il primo salvataggio, crea una "
                       "nuova scheda con gli stessi dati, da modificare e salvare. L'importo si digita in euro e "
                       "centesimi e viene trascritto automaticamente in lettere man mano che si scrive."),
        QStringLiteral("Per evitare di digitare i dati dell'esecutore si può fare clic sulla freccia rossa posta "
                       "sopra il campo ESEGUITO DA: si apre la ricerca nell'archivio anagrafico dei richiedenti e, "
                       "con un doppio clic sul richiedente desiderato, il nome, la via, il CAP e la località vengono "
                       "copiati nel bollettino."),
        QStringLiteral("Il programma stampa sui bollettini della serie TD 674, sui quali sono già prestampati "
                       "l'intestatario del conto corrente, il numero del conto e la causale del versamento; Versalia "
                       "aggiunge l'importo in cifre e in lettere e i dati dell'esecutore, un carattere per casella. "
                       "Prima di stampare è consigliabile verificare il bollettino con il pulsante Anteprima, che "
                       "mostra la sezione destra del modulo già compilata."),
        QStringLiteral("I bollettini TD 674 sono composti da tre sezioni e sono più lunghi di un foglio A4: la "
                       "stampante deve quindi disporre di un cassetto o di un alimentatore manuale che accetti "
                       "formati di carta più grandi."),
        QStringLiteral("Il bollettino in bianco si inserisce nella stampante come un normale foglio. Il pulsante "
                       "Stampa apre una finestra in cui è possibile regolare il margine superiore e il margine "
                       "sinistro, millimetro per millimetro, con i pulsanti + e -, anche con valori negativi; il "
                       "pulsante Applica memorizza ciascuna regolazione per le stampe successive. Si consiglia di "
                       "fare una prova su un foglio bianco e di sovrapporlo al bollettino in controluce prima di "
                       "stampare sul modulo."),
        QStringLiteral("Quando il versamento è stato effettuato, si spunta la casella Saldato, si indica la data del "
                       "versamento e si salva di nuovo la scheda. Il pulsante Da saldare mostra tutti i bollettini "
                       "non ancora pagati, il pulsante Scaduti quelli non pagati la cui data di scadenza è già "
                       "trascorsa. Entrambi gli elenchi possono essere stampati e, con un doppio clic su una voce, "
                       "la scheda viene richiamata nella schermata di lavoro."),
        QStringLiteral("Il pulsante Trova consente di cercare i bollettini dell'anno compilando uno o più campi "
                       "contemporaneamente (importo, esecutore, località, date, note e altri), anche con una sola "
                       "parte del testo. L'elenco dei risultati può essere stampato e ciascun bollettino si richiama "
                       "con un doppio clic."),
        QStringLiteral("Il pulsante Esporta archivio trasferisce tutti i bollettini dell'anno in un foglio di lavoro "
                       "di Microsoft Excel, che può essere aperto con qualsiasi programma in grado di leggere i file "
                       "in formato XLS.")
    });
}

QString exportSlipsTitle() { return QStringLiteral("Esportazione archivio annuale versamenti in Microsoft Excel."); }

QString exportSlipsText()
{
    return joinParagraphs({
        QStringLiteral("Il pulsante Esporta archivio consente di esportare tutti i versamenti registrati in un anno "
                       "solare in un foglio di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi "
                       "software in grado di gestire i file in formato XLS (ad esempio, con Open Office, Libre "
                       "Office o Microsoft Office)."),
        QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di "
                       "Excel. Questa operazione crea in tempo reale un file in formato XLS contenente le schede in "
                       "archivio, che potrà essere aperto immediatamente rispondendo affermativamente al messaggio "
                       "di domanda che appare."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome "
                       "qualsiasi.")
    });
}

QString exportApplicantsTitle()
{
    return QStringLiteral("Esportazione archivio anagrafico richiedenti in Microsoft Excel.");
}

QString exportApplicantsText()
{
    return joinParagraphs({
        QStringLiteral("Il pulsante Esporta archivio consente di esportare i dati anagrafici dei richiedenti in un "
                       "foglio di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software in grado "
                       "di gestire i file in formato XLS (ad esempio, con Open Office, Libre Office o Microsoft "
                       "Office)."),
        QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di "
                       "Excel. Questa operazione crea in tempo reale un file in formato XLS contenente le schede in "
                       "archivio, che potrà essere aperto immediatamente rispondendo affermativamente al messaggio "
                       "di domanda che appare."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome "
                       "qualsiasi.")
    });
}

QString applicantTitle() { return QStringLiteral("Applicazione Anagrafica Richiedenti."); }

QString applicantText()
{
    return joinParagraphs({
        QStringLiteral("L'applicazione Anagrafica Richiedenti è una completa rubrica elettronica in cui archiviare i "
                       "dati dei cittadini stranieri richiedenti il permesso di soggiorno. Accanto ai dati, mette a "
                       "disposizione il controllo del codice fiscale, della partita IVA, della carta di credito e "
                       "dell'IBAN, un pulsante per scrivere un messaggio di posta elettronica al richiedente, e "
                       "consente di importare i dati di un richiedente direttamente nei bollettini da compilare."),
        QStringLiteral("Per ciascun richiedente l'archivio conserva i dati anagrafici e il codice fiscale, la "
                       "residenza, la cittadinanza e l'ingresso in Italia, i recapiti telefonici e l'indirizzo di "
                       "posta elettronica, il permesso di soggiorno e i comuni di soggiorno, il documento di "
                       "riconoscimento, lo stato civile e i familiari a carico, i dati bancari e le note."),
        QStringLiteral("La sezione dedicata al lavoro raccoglie il datore di lavoro, la data di assunzione, la "
                       "prossima scadenza del contratto, il reddito annuale e i giorni di preavviso con cui si "
                       "desidera essere avvisati della scadenza. L'icona con il punto esclamativo apre l'elenco dei "
                       "contratti in scadenza o già scaduti."),
        QStringLiteral("La funzione Allega file consente di associare a ciascun richiedente fino a tre file di "
                       "qualsiasi tipo (ad esempio i documenti scansionati), ognuno con una propria descrizione. I "
                       "file vengono copiati nella cartella Documenti_Allegati del programma e possono essere aperti "
                       "in qualsiasi momento dalla stessa finestra."),
        QStringLiteral("Per inserire un nuovo richiedente si preme Nuovo, si compilano i campi e si conclude con "
                       "Salva; alcuni campi sono obbligatori (cognome, nome, data di assunzione, prossima scadenza "
                       "del contratto e giorni di preavviso). Una scheda già salvata si richiama con i pulsanti di "
                       "scorrimento o con la ricerca, si modifica e si salva di nuovo."),
        QStringLiteral("I pulsanti posti accanto al codice fiscale, alla partita IVA, alla carta di credito e all'IBAN "
                       "verificano la correttezza del dato indicato; il pulsante accanto all'indirizzo di posta "
                       "elettronica apre un nuovo messaggio indirizzato al richiedente nel programma di posta."),
        QStringLiteral("Il pulsante Trova consente di cercare i richiedenti compilando uno o più filtri "
                       "contemporaneamente, anche con una sola parte del testo. L'elenco dei risultati può essere "
                       "stampato e ciascuna scheda si richiama con un doppio clic."),
        QStringLiteral("L'intero archivio dei richiedenti è esportabile in Excel, mentre la singola scheda "
                       "anagrafica può essere stampata su carta.")
    });
}
} // namespace HelpTexts
