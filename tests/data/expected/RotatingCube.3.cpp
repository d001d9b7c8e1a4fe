	//Setting up arrays

	//Index Array
	GLubyte Farray[] = {
	0,2,3,
	3,1,0,
	4,5,7,
	7,6,4,
	0,1,5,
	5,4,0,
	1,3,7,
	7,5,1,
	3,2,6,
	6,7,3,
	2,0,4,
	4,6,2	};
	//Vertex Array
	double Varray[] = {
	-29.344699859619141,4.0862002372741699,34.181301116943359,
	37.3218994140625,4.0862002372741699,34.181301116943359,
	-29.344699859619141,-4.0862002372741699,-22.785299301147461,
	37.3218994140625,-4.0862002372741699,-22.785299301147461,
	-29.344699859619141,49.208301544189453,27.708200454711914,
	37.3218994140625,49.208301544189453,27.708200454711914,
	-29.344699859619141,41.035900115966797,-29.258499145507812,
	37.3218994140625,41.035900115966797,-29.258499145507812	};
	//Use this array if you have FLAT SHADING
	double Narray[] = {
	0.,0.,1.,
	1.,0.,0.,
	-1.,0.,0.,
	0.,0.,-1.,
	-1.,0.,0.,
	0.,0.,1.,
	0.,0.,-1.,
	1.,0.,0.	};
	//Use this array if you have SMOOTH SHADING
	double VNarray[] = {
	0.,-1.,0.,
	0.,-1.,0.,
	0.,-1.,0.,
	0.,-1.,0.,
	0.,1.,0.,
	0.,1.,0.,
	0.,1.,0.,
	0.,1.,0.	};
	//Texture Coordinate array
	double TCarray[] = {
	1.,0.,
	0.,0.,
	1.,1.,
	0.,1.,
	0.,0.,
	1.,0.,
	0.,1.,
	1.,1.	};
 

	glEnableClientState(GL_VERTEX_ARRAY);
	glVertexPointer( 3, GL_DOUBLE, 0, Varray);
	glEnableClientState(GL_NORMAL_ARRAY);
	glNormalPointer( GL_DOUBLE, 0, VNarray);
	glEnableClientState(GL_TEXTURE_COORD_ARRAY);
	glTexCoordPointer( 2, GL_DOUBLE, 0, TCarray);
	glDrawElements( GL_TRIANGLES,36,GL_UNSIGNED_BYTE, Farray);

