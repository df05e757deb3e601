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

-- A file's scripts: when started, a script evaluates its calculation.
CREATE TABLE FileMaker_Scripts (name TEXT PRIMARY KEY, calculation TEXT);
INSERT INTO FileMaker_Scripts (name, calculation) VALUES
  ('Greet', '"Hello, " & Get( ScriptParameter ) & "!"'),
  ('Count Contacts', '"Contacts: " & Length( List( FirstName ) )'),
  ('Report Version', 'Quibo_Version( "long" )');
