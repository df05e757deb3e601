-- The demo file "Contacts": one FileMaker table and a few scripts. quibo-host --demo opens it.
CREATE TABLE Contacts (
  id INTEGER PRIMARY KEY,
  FirstName TEXT,
  LastName TEXT,
  City TEXT,
  Email TEXT,
  Born TEXT
);
INSERT INTO Contacts (FirstName, LastName, City, Email, Born) VALUES
  ('Ada', 'Lovelace', 'London', 'ada@example.org', '12/10/1815'),
  ('Grace', 'Hopper', 'New York', 'grace@example.org', '12/9/1906'),
  ('Alan', 'Turing', 'Manchester', 'alan@example.org', '6/23/1912'),
  ('Émilie', 'du Châtelet', 'Paris', 'emilie@example.org', '12/17/1706');

-- A few thousand more, so that queries over the whole table have something to do.
WITH RECURSIVE
  n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4996),
  first(k, name) AS (VALUES (0, 'Anna'), (1, 'Björn'), (2, 'Chiara'), (3, 'Dmitri'), (4, 'Eun'),
                            (5, 'Farah'), (6, 'Goran'), (7, 'Hana'), (8, 'Idris'), (9, 'Julia')),
  last(k, name) AS (VALUES (0, 'Berg'), (1, 'Costa'), (2, 'Dubois'), (3, 'Esposito'),
                           (4, 'Fischer'), (5, 'Garcia'), (6, 'Hansen'), (7, 'Ivanova')),
  city(k, name) AS (VALUES (0, 'Oslo'), (1, 'Lisbon'), (2, 'Lyon'), (3, 'Naples'), (4, 'Graz'),
                           (5, 'Seville'), (6, 'Aarhus'))
INSERT INTO Contacts (FirstName, LastName, City, Email, Born)
SELECT first.name, last.name, city.name, 'contact' || i || '@example.org',
       (1 + i % 12) || '/' || (1 + i % 28) || '/' || (1940 + i % 60)
FROM n
JOIN first ON first.k = i % 10
JOIN last ON last.k = (i / 10) % 8
JOIN city ON city.k = (i / 80) % 7;

-- A file's scripts: when started, a script evaluates its calculation.
CREATE TABLE FileMaker_Scripts (name TEXT PRIMARY KEY, calculation TEXT);
INSERT INTO FileMaker_Scripts (name, calculation) VALUES
  ('Greet', '"Hello, " & Get( ScriptParameter ) & "!"'),
  ('Count Contacts', '"Contacts: " & Quibo_ExecuteSQL( "SELECT COUNT(*) FROM Contacts" )'),
  ('Report Version', 'Quibo_Version( "long" )');
