namespace catalogo {}
