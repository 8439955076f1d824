-- Product database: placeholder until the sample catalogue lands.
CREATE TABLE Versione (Numero TEXT);
INSERT INTO Versione VALUES ('5.6');
